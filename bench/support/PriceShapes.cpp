#include "PriceShapes.h"

#include <sqlite3.h>

#include <iconv.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>

namespace benchshapes {

namespace {

enum class Encoding { Ascii, Utf8Bom, ShiftJis, Utf16Le };
enum class Style { Yahoo, Broker, Listing };

struct FileShape {
    Style style;
    Encoding encoding;
    bool newestFirst;
};

struct Row {
    int year, month, day;
    double open, high, low, close;
    long volume;
};

std::vector<Row> Walk(unsigned seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> step(0.0, 1.2);
    std::vector<Row> rows;
    rows.reserve(kRows);
    std::chrono::sys_days day = std::chrono::year(2000) / 1 / 3;
    double close = 1000 + seed % 500;
    while (int(rows.size()) < kRows) {
        const std::chrono::weekday weekday(day);
        if (weekday != std::chrono::Saturday && weekday != std::chrono::Sunday) {
            const std::chrono::year_month_day ymd(day);
            const double open = close;
            close = std::max(10.0, open * (1 + step(random) / 100));
            rows.push_back({int(ymd.year()), int(unsigned(ymd.month())),
                            int(unsigned(ymd.day())), open, std::max(open, close) * 1.004,
                            std::min(open, close) * 0.996, close,
                            long(100000 + random() % 9000000)});
        }
        day += std::chrono::days(1);
    }
    return rows;
}

// "1234567.891" as "1,234,567.891".
std::string Grouped(const char* plain)
{
    const std::string text(plain);
    const std::size_t point = std::min(text.find('.'), text.size());
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i > 0 && i < point && (point - i) % 3 == 0)
            out += ',';
        out += text[i];
    }
    return out;
}

std::string Line(Style style, const Row& r)
{
    char buffer[256];
    switch (style) {
    case Style::Yahoo:
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d,%.6f,%.6f,%.6f,%.6f,%.6f,%ld\n",
                      r.year, r.month, r.day, r.open, r.high, r.low, r.close, r.close,
                      r.volume);
        return buffer;
    case Style::Broker: {
        std::string line;
        std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d", r.year, r.month, r.day);
        line = buffer;
        for (double value : {r.open, r.high, r.low, r.close}) {
            std::snprintf(buffer, sizeof buffer, "%.6f", value);
            line += ",\"" + Grouped(buffer) + "\"";
        }
        std::snprintf(buffer, sizeof buffer, "%ld", r.volume);
        return line + ",\"" + Grouped(buffer) + "\"\n";
    }
    case Style::Listing:
        std::snprintf(buffer, sizeof buffer,
                      "\"%04d-%02d-%02d\",\"%.1f\",\"%.1f\",\"%.1f\",\"%.1f\",\"%ld\",\"%.1f\"\n",
                      r.year, r.month, r.day, r.open, r.high, r.low, r.close, r.volume,
                      r.close);
        return buffer;
    }
    return {};
}

std::string Head(Style style)
{
    switch (style) {
    case Style::Yahoo:
        return "Date,Open,High,Low,Close,Adj Close,Volume\n";
    case Style::Broker:
        return "日付,始値,高値,安値,終値,出来高\n";
    case Style::Listing:
        return "1557 東証ETF SPDR S&P500 ETF,,,,,,\n"
               "\"日付\",\"始値\",\"高値\",\"安値\",\"終値\",\"出来高\",\"終値調整値\"\n";
    }
    return {};
}

std::string Convert(const std::string& utf8, const char* to)
{
    iconv_t converter = iconv_open(to, "UTF-8");
    std::string out(utf8.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* dst = out.data();
    std::size_t outLeft = out.size();
    iconv(converter, &in, &inLeft, &dst, &outLeft);
    iconv_close(converter);
    out.resize(out.size() - outLeft);
    return out;
}

FileShape FileShapeOf(const Shape& shape)
{
    const std::string name = shape.name;
    if (name == "broker")
        return {Style::Broker, Encoding::Utf8Bom, true};
    if (name == "sjis")
        return {Style::Listing, Encoding::ShiftJis, false};
    if (name == "sjis-newest")
        return {Style::Listing, Encoding::ShiftJis, true};
    if (name == "utf16")
        return {Style::Broker, Encoding::Utf16Le, false};
    return {Style::Yahoo, Encoding::Ascii, name == "yahoo-newest"};
}

bool Exec(sqlite3* db, const char* sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

} // namespace

const std::vector<Shape>& Shapes()
{
    static const std::vector<Shape> shapes{
        {"yahoo", "Yahoo CSV, oldest first", false},
        {"broker", "broker CSV, UTF-8 BOM, newest first, quoted 1,234.5 values, 2020/04/17",
         false},
        {"sjis", "Shift-JIS CSV, title line, quoted header and values, oldest first", false},
        {"sqlite", "SQLite prices, index on (code, date)", true},
        {"yahoo-newest", "Yahoo CSV, newest first", false},
        {"sjis-newest", "Shift-JIS CSV as sjis, newest first", false},
        {"utf16", "broker CSV in UTF-16LE with its mark, oldest first", false},
        {"sqlite-noindex", "SQLite prices without an index", true},
    };
    return shapes;
}

const Shape* FindShape(const std::string& name)
{
    for (const Shape& shape : Shapes()) {
        if (name == shape.name)
            return &shape;
    }
    return nullptr;
}

std::string CodeName(int index)
{
    return std::to_string(1000 + index);
}

std::string PriceFileBytes(const Shape& shape, unsigned seed)
{
    const FileShape file = FileShapeOf(shape);
    std::vector<Row> rows = Walk(seed);
    if (file.newestFirst)
        std::reverse(rows.begin(), rows.end());
    std::string text = Head(file.style);
    for (const Row& row : rows)
        text += Line(file.style, row);
    switch (file.encoding) {
    case Encoding::Ascii:
        return text;
    case Encoding::Utf8Bom:
        return "\xEF\xBB\xBF" + text;
    case Encoding::ShiftJis:
        return Convert(text, "CP932");
    case Encoding::Utf16Le:
        return "\xFF\xFE" + Convert(text, "UTF-16LE");
    }
    return text;
}

bool MakeDatabase(const Shape& shape, const std::string& path, int codes)
{
    if (std::filesystem::exists(path))
        return true;
    const std::string building = path + ".part";
    std::filesystem::remove(building);
    sqlite3* db = nullptr;
    if (sqlite3_open(building.c_str(), &db) != SQLITE_OK)
        return false;
    bool ok = Exec(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;"
                       "CREATE TABLE prices(code TEXT, date TEXT, open REAL, high REAL,"
                       " low REAL, close REAL, volume REAL); BEGIN");
    sqlite3_stmt* insert = nullptr;
    ok = ok && sqlite3_prepare_v2(db, "INSERT INTO prices VALUES(?,?,?,?,?,?,?)", -1, &insert,
                                  nullptr) == SQLITE_OK;
    // Rows of many codes interleaved by day, as a daily download appends them.
    std::vector<std::vector<Row>> walks;
    for (int c = 0; ok && c < codes; ++c)
        walks.push_back(Walk(unsigned(c % 64 + 1)));
    char date[16];
    for (int i = 0; ok && i < kRows; ++i) {
        for (int c = 0; ok && c < codes; ++c) {
            const Row& r = walks[std::size_t(c)][std::size_t(i)];
            const std::string code = CodeName(c);
            std::snprintf(date, sizeof date, "%04d-%02d-%02d", r.year, r.month, r.day);
            sqlite3_bind_text(insert, 1, code.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 2, date, -1, SQLITE_TRANSIENT);
            sqlite3_bind_double(insert, 3, r.open);
            sqlite3_bind_double(insert, 4, r.high);
            sqlite3_bind_double(insert, 5, r.low);
            sqlite3_bind_double(insert, 6, r.close);
            sqlite3_bind_double(insert, 7, double(r.volume));
            ok = sqlite3_step(insert) == SQLITE_DONE && sqlite3_reset(insert) == SQLITE_OK;
        }
    }
    sqlite3_finalize(insert);
    ok = ok && Exec(db, "COMMIT");
    if (ok && std::string(shape.name) != "sqlite-noindex")
        ok = Exec(db, "CREATE INDEX prices_code_date ON prices(code, date)");
    sqlite3_close(db);
    if (!ok)
        return false;
    std::filesystem::rename(building, path);
    return true;
}

} // namespace benchshapes
