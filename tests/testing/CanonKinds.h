// The program's eclipse kind for a type code of NASA's catalogs.
#pragma once
#include <string>

namespace vxtest {

// Lunar: N penumbral, P partial, T total. Solar: P, A, T, H, with "+"/"-"
// marking a non-central eclipse.
inline int CanonKind(const std::string& type, bool lunar) {
    if (lunar) return type[0] == 'N' ? 8 : type[0] == 'P' ? 9 : 10;
    const bool nonCentral = type.size() > 1 && (type[1] == '+' || type[1] == '-');
    switch (type[0]) {
        case 'P':
            return 1;
        case 'A':
            return nonCentral ? 5 : 2;
        case 'T':
            return nonCentral ? 4 : 3;
        default:
            return nonCentral ? 7 : 6;
    }
}

}  // namespace vxtest
