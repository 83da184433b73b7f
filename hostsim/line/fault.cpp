#include "fault.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

namespace hostsim {

namespace {

using Kind = Fault::Kind;

// What a kind's maker takes after its name.
enum class Arguments { None, Bytes, Byte, Count, Pause, CountAndPause };

struct KindName {
    Kind kind;
    const char* name;
    Arguments arguments;
};

constexpr std::array<KindName, 17> kNames{{
    {Kind::NoReply, "noReply", Arguments::None},
    {Kind::BadChecksum, "badChecksum", Arguments::None},
    {Kind::Noise, "noise", Arguments::Bytes},
    {Kind::Split, "split", Arguments::CountAndPause},
    {Kind::WrongCommand, "wrongCommand", Arguments::Byte},
    {Kind::WrongLength, "wrongLength", Arguments::Count},
    {Kind::ForceData, "forceData", Arguments::Bytes},
    {Kind::Truncate, "truncate", Arguments::Count},
    {Kind::Delay, "delay", Arguments::Pause},
    {Kind::MemoryFull, "memoryFull", Arguments::None},
    {Kind::GoAway, "goAway", Arguments::Count},
    {Kind::Trickle, "trickle", Arguments::Pause},
    {Kind::NoiseAfter, "noiseAfter", Arguments::Bytes},
    {Kind::Corrupt, "corrupt", Arguments::Count},
    {Kind::LoseMidRequest, "loseMidRequest", Arguments::None},
    {Kind::GoneBeforeRequest, "goneBeforeRequest", Arguments::None},
    {Kind::Twice, "twice", Arguments::Pause},
}};

std::vector<std::string_view> words(std::string_view text) {
    std::vector<std::string_view> found;
    while (!text.empty()) {
        const std::size_t start = text.find_first_not_of(' ');
        if (start == std::string_view::npos)
            break;
        text.remove_prefix(start);
        const std::size_t end = std::min(text.find(' '), text.size());
        found.push_back(text.substr(0, end));
        text.remove_prefix(end);
    }
    return found;
}

template <typename Number> std::optional<Number> number(std::string_view word, int base = 10) {
    Number value{};
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value, base);
    if (error != std::errc() || end != word.data() + word.size())
        return std::nullopt;
    return value;
}

std::optional<double> seconds(std::string_view word) {
    // from_chars for double is not in every standard library the tool is built with.
    const std::string text(word);
    std::size_t used = 0;
    try {
        const double value = std::stod(text, &used);
        return used == text.size() && value >= 0 ? std::optional(value) : std::nullopt;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace

const char* Fault::name(Kind kind) {
    for (const KindName& k : kNames)
        if (k.kind == kind)
            return k.name;
    return "?";
}

std::optional<Fault> Fault::named(std::string_view text) {
    const std::vector<std::string_view> w = words(text);
    if (w.empty())
        return std::nullopt;
    const auto known = std::find_if(kNames.begin(), kNames.end(),
                                    [&](const KindName& k) { return w[0] == k.name; });
    if (known == kNames.end())
        return std::nullopt;
    Fault f = of(known->kind);
    const std::size_t wanted = known->arguments == Arguments::None            ? 0
                               : known->arguments == Arguments::CountAndPause ? 2
                                                                              : 1;
    if (known->arguments != Arguments::Bytes && w.size() != wanted + 1)
        return std::nullopt;
    switch (known->arguments) {
    case Arguments::None:
        break;
    case Arguments::Bytes:
        for (std::size_t i = 1; i < w.size(); ++i) {
            const auto byte = number<std::uint8_t>(w[i], 16);
            if (!byte)
                return std::nullopt;
            f.bytes.push_back(*byte);
        }
        break;
    case Arguments::Byte:
    case Arguments::Count: {
        const bool byte = known->arguments == Arguments::Byte;
        const auto value = number<unsigned>(w[1], byte ? 16 : 10);
        if (!value || (byte && *value > 0xFF))
            return std::nullopt;
        f.value = int(*value);
        break;
    }
    case Arguments::Pause:
    case Arguments::CountAndPause: {
        const auto pause = seconds(w.back());
        const auto count = wanted == 2 ? number<int>(w[1]) : std::optional(0);
        if (!pause || !count)
            return std::nullopt;
        f.pause = *pause;
        f.value = *count;
        break;
    }
    }
    return f;
}

} // namespace hostsim
