#include "synthetic_euro.h"

#include <array>
#include <random>
#include <string_view>

#include "model/nation_catalogue.h"

namespace velquor::bench {

namespace {

constexpr std::array<std::string_view, 12> kPrefixes = {
    "",       "",        "",    "FC ",     "Sporting ", "Real ",
    "Inter ", "Dynamo ", "AC ", "Racing ", "Olympic ",  "Athletic ",
};
constexpr std::array<std::string_view, 10> kSuffixes = {
    "",          " FC",        " United", " City",     " Rovers",
    " Athletic", " Wanderers", " 1905",   " Sporting", " Club",
};
constexpr std::array<std::string_view, 6> kUnknownHeaders = {
    "*Atlantis", "*Gibraltar", "*Kosovo", "*Faroe Islands", "*Lithuania", "*Serbia and Montenegro",
};

class Writer {
  public:
    explicit Writer(std::string& out) : out_(out) {}

    void line(std::string_view text) {
        out_.append(text);
        out_.append("\r\n");
    }
    void header(std::string_view nation) {
        line("");
        switch (pick(6)) {
            case 0:
                line("*** " + std::string(nation) + " ***");
                break;
            case 1:
                line("*" + std::string(nation) + " (league of " + std::to_string(1990 + pick(30)) +
                     ")");
                break;
            default:
                line("*" + std::string(nation));
        }
    }
    void club() {
        std::string name(kPrefixes[pick(kPrefixes.size())]);
        // A town name of 4 to 13 letters.
        const std::size_t letters = 4 + pick(10);
        name += static_cast<char>('A' + pick(26));
        for (std::size_t i = 1; i < letters; ++i)
            name += static_cast<char>('a' + pick(26));
        name += kSuffixes[pick(kSuffixes.size())];
        line(name);
    }
    std::size_t pick(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
    }

  private:
    std::string& out_;
    std::mt19937_64 random_{0x5eed};
};

}  // namespace

std::string syntheticEuro(std::size_t size) {
    std::string out;
    out.reserve(size + 4096);
    Writer w(out);
    while (out.size() < size) {
        for (const NationPlaces& nation : kNationTable) {
            if (w.pick(20) == 0) {
                w.line("");
                w.line(kUnknownHeaders[w.pick(kUnknownHeaders.size())]);
                for (std::size_t i = 0, n = 2 + w.pick(6); i < n; ++i)
                    w.club();
            }
            w.header(nation.name);
            const std::size_t places = nation.ucl + nation.uefa + nation.intertoto;
            // Most blocks are full, some short, some with reserves the editor drops.
            const std::size_t extra = w.pick(4) == 0 ? 1 + w.pick(3) : 0;
            const std::size_t missing = w.pick(8) == 0 ? w.pick(places + 1) : 0;
            for (std::size_t i = missing; i < places + extra; ++i)
                w.club();
        }
    }
    return out;
}

}  // namespace velquor::bench
