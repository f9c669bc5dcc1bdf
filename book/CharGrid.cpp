#include "book/CharGrid.h"

#include <QStringEncoder>
#include <QStringList>

#include <algorithm>
#include <array>

namespace rockpile::book {

int CellCount(char32_t codePoint)
{
    if (codePoint < 0x80) return 1;
    if (codePoint > 0xFFFF) return 2;
    // Building an encoder costs more than asking it; the answers are kept per thread.
    thread_local std::array<signed char, 0x10000> cache{};
    signed char& known = cache[codePoint];
    if (known == 0) {
        QStringEncoder gbk("GBK", QStringEncoder::Flag::Stateless);
        const QChar ch(static_cast<char16_t>(codePoint));
        const QByteArray bytes = gbk.encode(QStringView(&ch, 1));
        if (!gbk.hasError() && bytes.size() >= 1 && bytes.size() <= 2)
            known = static_cast<signed char>(bytes.size());
        else
            known = codePoint >= 0x1000 ? 2 : 1;
    }
    return known;
}

GridLine PlaceOnGrid(const QString& line)
{
    GridLine out;
    out.chars.reserve(line.size());
    int cell = 0;
    for (qsizetype i = 0; i < line.size();) {
        char32_t cp = line.at(i).unicode();
        qsizetype units = 1;
        if (line.at(i).isHighSurrogate() && i + 1 < line.size() && line.at(i + 1).isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(line.at(i), line.at(i + 1));
            units = 2;
        }
        const int cells = CellCount(cp);
        if (cp != U' ') out.chars.push_back({line.mid(i, units), cell, cells});
        cell += cells;
        i += units;
    }
    out.cells = cell;
    return out;
}

int WidestLine(const QStringList& lines)
{
    int widest = 0;
    for (const QString& line : lines) widest = std::max(widest, PlaceOnGrid(line).cells);
    return widest;
}

}  // namespace rockpile::book
