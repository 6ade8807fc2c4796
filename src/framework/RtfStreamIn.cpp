#include "RtfStreamIn.h"

#include "RtfReader.h"

#include <QTextCursor>
#include <QTextEdit>

void StreamInRtf(QTextEdit& edit, const std::string& rtf)
{
    QTextCursor cursor = edit.textCursor();
    CRtfReader(cursor).Read(rtf);
    edit.setTextCursor(cursor);
}
