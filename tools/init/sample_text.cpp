#include "init/sample_text.h"

#include <nlohmann/json.hpp>

#include <QCryptographicHash>

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

std::string readBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

nlohmann::json parseJson(const std::filesystem::path& file, const std::string& bytes)
{
    try {
        return nlohmann::json::parse(bytes);
    } catch (const nlohmann::json::exception& e) {
        throw std::runtime_error(file.string() + " is not valid JSON: " + e.what());
    }
}

nlohmann::json readJson(const std::filesystem::path& file) { return parseJson(file, readBytes(file)); }

// Set-up records the checksum of the text it fetched and verified beside
// it; a text changed since then (a damaged disk, an edit by hand) is not
// built into the reader's database.
void checkRecordedChecksum(const std::filesystem::path& file, const std::string& bytes)
{
    auto record = file;
    record += ".sha256";
    std::error_code ec;
    if (!std::filesystem::exists(record, ec))
        return;
    std::istringstream in(readBytes(record));
    std::string expected;
    in >> expected;
    const std::string actual = sha256Hex(bytes);
    if (expected != actual)
        throw std::runtime_error(file.string() + " does not match the checksum set-up recorded for it (" + expected +
                                 ", now " + actual + "); run scripts/setup again to fetch it afresh");
}

}  // namespace

std::string sha256Hex(const std::string& bytes)
{
    return QCryptographicHash::hash(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
                                    QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

SampleText loadSampleText(const std::filesystem::path& packageDir)
{
    auto textFile = packageDir / "dist" / "quran_en.json";
    const std::string bytes = readBytes(textFile);
    checkRecordedChecksum(textFile, bytes);
    nlohmann::json doc = parseJson(textFile, bytes);
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
            for (const auto& v : s.at("verses")) {
                sura.verses.push_back(v.at("translation").get<std::string>());
                if (sura.verses.back().find('\0') != std::string::npos)
                    throw std::runtime_error("verse " + std::to_string(sura.number) + ":" +
                                             std::to_string(sura.verses.size()) + " holds a NUL character");
            }
            if (sura.verses.empty())
                throw std::runtime_error("sura " + std::to_string(sura.number) + " has no verses");
            // A verse is keyed as sura * 1000 + verse.
            if (sura.verses.size() > static_cast<size_t>(kMaxVerses))
                throw std::runtime_error("sura " + std::to_string(sura.number) + " has " +
                                         std::to_string(sura.verses.size()) + " verses; at most " +
                                         std::to_string(kMaxVerses) + " can be kept apart");
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
