#include "IsDottedAddress.h"

#include <arpa/inet.h>
#include <netinet/in.h>

bool IsDottedAddress(const char* text)
{
    if (text == nullptr)
        return false;
    in_addr parsed{};
    return inet_pton(AF_INET, text, &parsed) == 1;
}
