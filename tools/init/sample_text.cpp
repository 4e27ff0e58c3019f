#include "init/sample_text.h"

#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace init {

int SampleText::verseCount() const
{
    int n = 0;
    for (const auto& s : suras)
        n += static_cast<int>(s.verses.size());
    return n;
}

namespace {

nlohmann::json readJson(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    try {
        return nlohmann::json::parse(in);
    } catch (const nlohmann::json::exception& e) {
        throw std::runtime_error(file.string() + " is not valid JSON: " + e.what());
    }
}

}  // namespace

SampleText loadSampleText(const std::filesystem::path& packageDir)
{
    auto textFile = packageDir / "dist" / "quran_en.json";
    nlohmann::json doc = readJson(textFile);
    if (!doc.is_array() || doc.size() != 114)
        throw std::runtime_error(textFile.string() + " does not hold the 114 suras");
    SampleText out;
    out.suras.reserve(114);
    try {
        for (size_t i = 0; i < doc.size(); ++i) {
            const auto& s = doc[i];
            SuraText sura;
            sura.number = s.at("id").get<int>();
            if (sura.number != static_cast<int>(i) + 1)
                throw std::runtime_error("sura " + std::to_string(i + 1) + " is out of order");
            sura.englishName = s.value("translation", "");
            sura.translitName = s.value("transliteration", "");
            for (const auto& v : s.at("verses"))
                sura.verses.push_back(v.at("translation").get<std::string>());
            if (sura.verses.empty())
                throw std::runtime_error("sura " + std::to_string(sura.number) + " has no verses");
            out.suras.push_back(std::move(sura));
        }
    } catch (const nlohmann::json::exception& e) {
        throw std::runtime_error(textFile.string() + " is not in the expected shape: " + e.what());
    }
    auto indexFile = packageDir / "dist" / "chapters" / "en" / "index.json";
    if (std::filesystem::exists(indexFile)) {
        nlohmann::json index = readJson(indexFile);
        if (index.is_array())
            for (const auto& c : index) {
                int id = c.value("id", 0);
                if (id < 1 || id > 114)
                    continue;
                auto& sura = out.suras[static_cast<size_t>(id - 1)];
                if (sura.englishName.empty())
                    sura.englishName = c.value("translation", "");
                if (sura.translitName.empty())
                    sura.translitName = c.value("transliteration", "");
            }
    }
    return out;
}

const std::vector<int>& revelationOrder()
{
    static const std::vector<int> order = {
        96, 68, 73, 74, 1,  111, 81, 87, 92, 89, 93, 94, 103, 100, 108, 102, 107, 109, 105, 113, 114, 112, 53,
        80, 97, 91, 85, 95, 106, 101, 75, 104, 77, 50, 90, 86, 54, 38,  7,   72,  36,  25,  35,  19,  20,  56,
        26, 27, 28, 17, 10, 11,  12, 15, 6,  37, 31, 34, 39, 40, 41,  42,  43,  44,  45,  46,  51,  88,  18,
        16, 71, 14, 21, 23, 32,  52, 67, 69, 70, 78, 79, 82, 84, 30,  29,  83,  2,   8,   3,   33,  60,  4,
        99, 57, 47, 13, 55, 76,  65, 98, 59, 24, 22, 63, 58, 49, 66,  64,  61,  62,  48,  5,   9,   110};
    return order;
}

}  // namespace init
