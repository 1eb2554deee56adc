#include "app/InstallSwitches.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>
#include <utility>

#include "app/InstallSwitchesFeatures.h"
#include "app/InstallSwitchesTable.h"
#include "common/TextUtil.h"

namespace {

using InstallSwitchTable::Entry;
using InstallSwitchTable::Switch;

// An argument in switch form: "/name", "-name", "/name:value", "-name=value".
struct SwitchArgument {
    std::u16string_view typed;                   // prefix and name, as given
    const Entry* entry;                          // null for an unknown name
    std::optional<std::u16string_view> value;  // the value given after ':' or '='
};

const Entry* FindEntry(std::u16string_view name) {
    const std::u16string lower = Common::ToLowerAscii(name);
    for (const Entry& entry : InstallSwitchTable::kEntries)
        for (const char16_t* known : entry.names)
            if (known && lower == known) return &entry;
    return nullptr;
}

std::optional<SwitchArgument> ReadSwitch(std::u16string_view argument) {
    if (!StartsAsSwitch(argument)) return std::nullopt;
    const std::size_t separator = argument.find_first_of(u":=");
    SwitchArgument read{argument.substr(0, separator), FindEntry(argument.substr(1, separator - 1)), std::nullopt};
    if (separator != std::u16string_view::npos) read.value = argument.substr(separator + 1);
    return read;
}

bool IsKnownSwitch(std::u16string_view argument) {
    const auto read = ReadSwitch(argument);
    return read && read->entry;
}

bool IsHelp(std::u16string_view argument) {
    const auto read = ReadSwitch(argument);
    return read && read->entry && read->entry->which == Switch::Help;
}

// The user's text inside a one-line reason: quoted, control characters
// replaced, and cut short, so that no argument can break the line or flood it.
std::u16string Quoted(std::u16string_view text) {
    constexpr std::size_t kShown = 80;
    std::u16string shown(text.substr(0, kShown));
    for (char16_t& c : shown)
        if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0) || c == 0x2028 || c == 0x2029) c = u'?';
    // A surrogate pair cut in two would leave half a character.
    if (!shown.empty() && shown.back() >= 0xD800 && shown.back() <= 0xDBFF) shown.pop_back();
    if (text.size() > kShown) shown += u"...";
    return u"\"" + shown + u"\"";
}

std::optional<LanguageId> LanguageByCode(std::u16string_view code) {
    static constexpr std::pair<const char16_t*, LanguageId> kCodes[] = {
        {u"en", Language::English}, {u"de", Language::German},  {u"fr", Language::French},
        {u"es", Language::Spanish}, {u"it", Language::Italian}, {u"ja", Language::Japanese},
    };
    const std::u16string lower = Common::ToLowerAscii(code);
    for (const auto& [known, language] : kCodes)
        if (lower == known) return language;
    return std::nullopt;
}

class Parser {
public:
    // Returns the reason the argument at `position` (and its value) cannot be
    // taken, empty when taken; moves `position` past what it took.
    std::u16string Take(const std::vector<std::u16string_view>& arguments, std::size_t& position);
    // The reason the switches taken cannot be used together, empty when they can.
    std::u16string Finish();

    InstallOptions& Options() { return options_; }

private:
    std::u16string Apply(const Entry& entry, std::u16string_view value);
    std::u16string& Typed(Switch which) { return typed_[static_cast<std::size_t>(which)]; }

    InstallOptions options_;
    // How each switch taken was written, for the reasons; empty when not taken.
    std::array<std::u16string, static_cast<std::size_t>(Switch::Count)> typed_;
};

std::u16string Parser::Take(const std::vector<std::u16string_view>& arguments, std::size_t& position) {
    const std::u16string_view argument = arguments[position++];
    const auto read = ReadSwitch(argument);
    if (!read) return u"unexpected argument " + Quoted(argument) + u" (switches start with / or -)";
    if (!read->entry) return u"unknown switch " + Quoted(read->typed) + u" (see /?)";
    const Entry& entry = *read->entry;
    const std::u16string typed(read->typed);

    std::optional<std::u16string_view> value = read->value;
    if (!entry.value) {
        if (value) return typed + u" takes no value";
    } else if (!value && position < arguments.size() && !IsKnownSwitch(arguments[position])) {
        value = arguments[position++];
    }
    if (entry.value && (!value || value->find_first_not_of(u" \t") == std::u16string_view::npos))
        return typed + u" needs a value: " + typed + u" " + entry.value;

    std::u16string& before = Typed(entry.which);
    // The same switch twice is harmless without a value; with one it leaves
    // the value in doubt.
    if (!before.empty() && entry.value) return typed + u" is given twice";
    if (before.empty()) before = typed;
    return Apply(entry, value.value_or(std::u16string_view{}));
}

std::u16string Parser::Apply(const Entry& entry, std::u16string_view value) {
    switch (entry.which) {
        case Switch::Quiet:
        case Switch::Passive: {
            const InstallUi ui = entry.which == Switch::Quiet ? InstallUi::Quiet : InstallUi::Passive;
            const std::u16string& other = Typed(entry.which == Switch::Quiet ? Switch::Passive : Switch::Quiet);
            if (!other.empty())
                return Typed(Switch::Quiet) + u" and " + Typed(Switch::Passive) + u" contradict each other";
            options_.ui = ui;
            return {};
        }
        case Switch::Log: options_.logFile = std::u16string(value); return {};
        case Switch::Dir: options_.installDir = std::u16string(value); return {};
        case Switch::Layout: options_.layoutDir = std::u16string(value); return {};
        case Switch::Package: options_.packageFile = std::u16string(value); return {};
        case Switch::NoRestart: options_.noRestart = true; return {};
        case Switch::NoReports: options_.noReports = true; return {};
        case Switch::Help: options_.help = true; return {};
        case Switch::Lang:
            options_.language = LanguageByCode(value);
            if (!options_.language) return u"unknown language " + Quoted(value) + u" (en, de, fr, es, it, ja)";
            return {};
        case Switch::Features: {
            std::uint32_t bits = 0;
            for (std::size_t start = 0;;) {
                const std::size_t comma = value.find(u',', start);
                const std::u16string_view name = value.substr(start, comma - start);
                const auto bit = FeatureBitByEnglishName(name);
                if (!bit) return u"unknown feature " + Quoted(name) + u" (see /?)";
                bits |= *bit;
                if (comma == std::u16string_view::npos) break;
                start = comma + 1;
            }
            options_.features = bits;
            return {};
        }
        case Switch::Count: break;
    }
    return u"unknown switch";
}

std::u16string Parser::Finish() {
    const std::u16string& layout = Typed(Switch::Layout);
    if (layout.empty()) return {};
    // A layout installs nothing: where and what to install have no meaning,
    // and it brings its own package.
    for (const Switch installing : {Switch::Package, Switch::Dir, Switch::Features}) {
        const std::u16string& other = Typed(installing);
        if (!other.empty()) return layout + u" and " + other + u" contradict each other: a layout installs nothing";
    }
    // The wizard has nothing to ask about a layout.
    if (options_.ui == InstallUi::Full) options_.ui = InstallUi::Passive;
    return {};
}

InstallSwitchesResult Failure(std::u16string reason) { return {std::nullopt, std::move(reason)}; }

}  // namespace

bool StartsAsSwitch(std::u16string_view argument) {
    return !argument.empty() && (argument.front() == u'/' || argument.front() == u'-');
}

InstallSwitchesResult ParseInstallSwitches(const std::vector<std::u16string>& shellArgs) {
    std::vector<std::u16string_view> arguments;
    if (shellArgs.size() > 1) arguments.assign(shellArgs.begin() + 1, shellArgs.end());

    if (std::any_of(arguments.begin(), arguments.end(), IsHelp)) {
        InstallOptions help;
        help.help = true;
        return {help, {}};
    }
    Parser parser;
    for (std::size_t position = 0; position < arguments.size();) {
        std::u16string reason = parser.Take(arguments, position);
        if (!reason.empty()) return Failure(std::move(reason));
    }
    std::u16string reason = parser.Finish();
    if (!reason.empty()) return Failure(std::move(reason));
    return {std::move(parser.Options()), {}};
}
