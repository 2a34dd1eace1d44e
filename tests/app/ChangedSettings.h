#pragma once

// Settings values that differ from the defaults in every field of the descriptor table.
#include "app/core/SettingsStore.h"

#include <type_traits>
#include <variant>

// Every value of the table changed from its default: a Boolean flipped, a number one step
// inside its range, each of the ten shortcut keys a path of its own; every other kind of
// field as `other(values, descriptor, field, n)` sets it, n counting the descriptors from 1.
template <typename Other> TSettingsValues EveryValueChangedBy(Other other) {
    using S = TSettingsValues;
    S v;
    int n = 0;
    for (const TSettingDescriptor& d : SettingsDescriptors()) {
        ++n;
        std::visit(
            [&](auto field) {
                using F = decltype(field);
                if constexpr (std::is_same_v<F, bool S::*>)
                    v.*field = !std::get<bool>(d.Default);
                else if constexpr (std::is_same_v<F, int S::*>) {
                    const int def = std::get<int>(d.Default);
                    v.*field = def < d.Max ? def + 1 : def - 1;
                } else if constexpr (std::is_same_v<F, std::array<QString, 10> S::*>)
                    (v.*field)[d.Index] = QStringLiteral("/sub/key%1.sub").arg(d.Index);
                else
                    other(v, d, field, n);
            },
            d.Field);
    }
    return v;
}
