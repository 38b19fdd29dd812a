#include "compose/EmoticonNames.h"

#include <array>

QString EmoticonName(int resource)
{
    static constexpr std::array<const char*, 42> names = {
        "Smile",         "Big grin",       "Wink",           "Sad",
        "Tongue out",    "Surprised",      "Laughing",       "Angry",
        "Waving hello",  "Cool",           "Confused",       "Crying",
        "Kiss",          "Sleeping",       "Blushing",       "Sick",
        "Thinking",      "Applause",       "Dancing",        "In love",
        "Devil",         "Welcome! sign",  "Thanks! sign",   "Sorry! sign",
        "Hello! sign",   "Bye-bye sign",   "Good luck sign", "Congrats! sign",
        "Beating heart", "Twinkling star", "Music notes",    "Sun",
        "Be right back", "Flower",         "Letter",         "Angel",
        "Nerd",          "Shocked",        "Party",          "Rolling eyes",
        "Hot coffee",    "Birthday cake"};
    if (resource < 1 || resource > int(names.size()))
        return {};
    return QString::fromLatin1(names[size_t(resource - 1)]);
}
