#include "RtfStreamIn.h"

#include "RtfReader.h"

#include <QPalette>
#include <QTextCursor>
#include <QTextEdit>

namespace {
bool ColoursItsText(const QTextDocument& document)
{
    for (const QTextFormat& format : document.allFormats())
        if (format.isCharFormat() && format.hasProperty(QTextFormat::ForegroundBrush))
            return true;
    return false;
}
}  // namespace

void StreamInRtf(QTextEdit& edit, const std::string& rtf)
{
    QTextCursor cursor = edit.textCursor();
    CRtfReader(cursor).Read(rtf);
    edit.setTextCursor(cursor);
    // A document that colours its text was written for a white page; on the
    // desktop's own, perhaps dark, background its colours could not be read.
    if (ColoursItsText(*edit.document())) {
        QPalette page = edit.palette();
        page.setColor(QPalette::Base, Qt::white);
        page.setColor(QPalette::Text, Qt::black);
        edit.setPalette(page);
    }
}
