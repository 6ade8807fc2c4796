// Prints, one line per name given, where the programs' own document lookup
// finds it (an empty line when it finds nothing). A copy placed beside the
// installed programs sees what they see.
#include "DataFiles.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    for (int i = 1; i < argc; ++i)
        std::printf("%s\n", DataFiles::Find(argv[i]).c_str());
    return 0;
}
