// One start's premium download as a process of its own, so a test can kill
// it in the middle of an item. Arguments: PORT LIBRARY_ROOT UNNAMED (1 or 0).
#include "PremiumContent.h"

#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    PremiumContent::Limits limits;
    limits.unnamedFiles = std::atoi(argv[3]) != 0;
    return PremiumContent::Update({"127.0.0.1", std::atoi(argv[1])}, argv[2], [](int) {}, limits) ? 0 : 1;
}
