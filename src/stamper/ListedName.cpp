#include "ListedName.h"

#include "ReadableName.h"

QString ListedName(const char* name)
{
    QString text = QString::fromStdString(ReadableName(name));
    for (QChar& c : text) {
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char('?');
    }
    return text;
}
