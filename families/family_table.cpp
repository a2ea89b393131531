#include "family_table.h"

#include <cstring>

#include "aztec.h"
#include "diamond.h"
#include "pyramid.h"

const std::array<const Family*, family_count> family_table = {
    &diamond::family,
    &pyramid::family,
    &aztec::family,
};

const Family* find_family(const char* name) {
    for (const Family* family : family_table) {
        if (std::strcmp(family->name, name) == 0) return family;
    }
    return nullptr;
}
