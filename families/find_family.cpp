#include <cstring>

#include "family_table.h"

const Family* find_family(const char* name) {
    for (const Family* family : family_table) {
        if (std::strcmp(family->name, name) == 0) return family;
    }
    return nullptr;
}
