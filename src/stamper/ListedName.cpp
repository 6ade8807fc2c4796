#include "ListedName.h"

QString ListedName(const char* name)
{
    QString text = QString::fromLocal8Bit(name);
    for (QChar& c : text) {
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char('?');
    }
    return text;
}
