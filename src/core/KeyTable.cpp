// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/KeyTable.h"

#include <array>

namespace KeyTable {
namespace {

// clang-format off
constexpr std::array<Key, Count> kKeys{{
    {"0", 48}, {"1", 49}, {"2", 50}, {"3", 51}, {"4", 52},
    {"5", 53}, {"6", 54}, {"7", 55}, {"8", 56}, {"9", 57},
    {"Num 0", 96}, {"Num 1", 97}, {"Num 2", 98}, {"Num 3", 99}, {"Num 4", 100},
    {"Num 5", 101}, {"Num 6", 102}, {"Num 7", 103}, {"Num 8", 104}, {"Num 9", 105},
    {"NumLock", 144},
    {"Num /", 111}, {"Num *", 106}, {"Num -", 109}, {"Num +", 107}, {"Num .", 110},
    {"A", 65}, {"B", 66}, {"C", 67}, {"D", 68}, {"E", 69}, {"F", 70}, {"G", 71},
    {"H", 72}, {"I", 73}, {"J", 74}, {"K", 75}, {"L", 76}, {"M", 77}, {"N", 78},
    {"O", 79}, {"P", 80}, {"Q", 81}, {"R", 82}, {"S", 83}, {"T", 84}, {"U", 85},
    {"V", 86}, {"W", 87}, {"X", 88}, {"Y", 89}, {"Z", 90},
    {"Insert", 45}, {"Home", 36}, {"PageUp", 33}, {"PageDown", 34},
    {"Up", 38}, {"Down", 40}, {"Left", 37}, {"Right", 39},
    {"Esc", 27}, {"Tab", 9}, {"CapsLock", 20}, {"Space", 32},
    {"-", 189}, {"=", 187}, {"BackSpace", 8},
    {"[ {", 219}, {"] }", 221}, {"\\ |", 220}, {"; :", 186}, {"' \"", 222},
    {"Enter", 13}, {", <", 188}, {". >", 190}, {"/ ?", 191},
    {"F1", 112}, {"F2", 113}, {"F3", 114}, {"F4", 115}, {"F5", 116}, {"F6", 117},
    {"F7", 118}, {"F8", 119}, {"F9", 120}, {"F10", 121}, {"F11", 122}, {"F12", 123},
    {"ScrollLock", 145}, {"Pause", 19},
    // Added after the first 90: the rest of a full keyboard, then its media keys.
    {"End", 35}, {"Delete", 46}, {"Print Screen", 44}, {"` ~", 192}, {"Menu", 93},
    {"< >", 226},
    {"F13", 124}, {"F14", 125}, {"F15", 126}, {"F16", 127}, {"F17", 128}, {"F18", 129},
    {"F19", 130}, {"F20", 131}, {"F21", 132}, {"F22", 133}, {"F23", 134}, {"F24", 135},
    {"Volume Mute", 173}, {"Volume Down", 174}, {"Volume Up", 175},
    {"Next Track", 176}, {"Previous Track", 177}, {"Media Stop", 178}, {"Play/Pause", 179},
    {"Mail", 180}, {"Media", 181}, {"My Computer", 182}, {"Calculator", 183},
    {"Browser Back", 166}, {"Browser Forward", 167}, {"Browser Refresh", 168},
    {"Browser Stop", 169}, {"Browser Search", 170}, {"Browser Favorites", 171},
    {"Browser Home", 172}, {"Sleep", 95},
}};
// clang-format on

} // namespace

const Key& at(int position) {
    return kKeys.at(static_cast<size_t>(position));
}

std::optional<int> positionOfName(const QString& name) {
    for (int i = 0; i < Count; ++i) {
        if (name.compare(QLatin1String(kKeys[i].name), Qt::CaseInsensitive) == 0)
            return i;
    }
    return std::nullopt;
}

std::optional<int> codeOfName(const QString& name) {
    if (auto pos = positionOfName(name))
        return kKeys[*pos].code;
    return std::nullopt;
}

std::optional<int> positionOfCode(int code) {
    for (int i = 0; i < Count; ++i) {
        if (kKeys[i].code == code)
            return i;
    }
    return std::nullopt;
}

QString nameOfCode(int code) {
    if (auto pos = positionOfCode(code))
        return QString::fromLatin1(kKeys[*pos].name);
    return {};
}

namespace {
const QString kUnknownPrefix = QStringLiteral("Code ");
} // namespace

QString textOfUnknownCode(int code) {
    return kUnknownPrefix + QString::number(code);
}

std::optional<int> unknownCodeOfText(const QString& key) {
    if (!key.startsWith(kUnknownPrefix))
        return std::nullopt;
    bool ok = false;
    const int code = key.mid(kUnknownPrefix.size()).toInt(&ok);
    if (!ok || textOfUnknownCode(code) != key)
        return std::nullopt;
    return code;
}

int storedCodeOf(const QString& key) {
    if (const auto code = codeOfName(key))
        return *code;
    return unknownCodeOfText(key).value_or(48);
}

// One column of the key table as texts, in the table's order.
template <typename Text> QStringList column(Text text) {
    QStringList out;
    out.reserve(Count);
    for (const Key& k : kKeys)
        out << text(k);
    return out;
}

QStringList names() {
    return column([](const Key& k) { return QString::fromLatin1(k.name); });
}

QStringList codeTexts() {
    return column([](const Key& k) { return QString::number(k.code); });
}

} // namespace KeyTable
