#include "io/Schedule.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <iterator>

#include "report/PageAfterRun.h"

namespace rockpile {

namespace {

constexpr int kFixedCount = static_cast<int>(std::size(kScheduleColumns));
constexpr int kGroupSize = static_cast<int>(std::size(kLayerColumns));

enum Fixed { PileNo, Section, Size1, Size2, Strength, Coefficient, Basis, Bored, Factor, Soft, Layers };
enum Group { GLr, GWeathering, GIntegrity, GKv, GFrk, GC1, GC2, GQpa, GQra };

QString FileLabel(const QString& fileName)
{
    return QStringLiteral("桩表文件“%1”").arg(QDir::toNativeSeparators(fileName));
}

// Decodes the file: UTF-8 when it carries the byte order mark or is valid UTF-8,
// otherwise GBK. Returns false with the reason.
bool Decode(const QByteArray& bytes, QString& text, QString& reason)
{
    static const QByteArray kBom("\xEF\xBB\xBF");
    const bool bom = bytes.startsWith(kBom);
    const QByteArray body = bom ? bytes.mid(kBom.size()) : bytes;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    text = utf8.decode(body);
    if (!utf8.hasError()) return true;
    if (bom) {
        reason = QStringLiteral("以UTF-8标记开头，但内容不是有效的UTF-8文本");
        return false;
    }
    QStringDecoder gbk("GBK");
    if (!gbk.isValid()) {
        reason = QStringLiteral("不是UTF-8文本，而本系统不支持GBK编码");
        return false;
    }
    text = gbk.decode(body);
    // The GBK decoder maps unassigned bytes into the private use area rather than
    // failing; text with such characters, a replacement character or a NUL byte (a
    // UTF-16 file, for one) is not a GBK schedule.
    const auto foreign = [](QChar ch) {
        return ch.unicode() == 0 || ch.unicode() == 0xFFFD ||
               (ch.unicode() >= 0xE000 && ch.unicode() <= 0xF8FF);
    };
    if (gbk.hasError() || std::any_of(text.cbegin(), text.cend(), foreign)) {
        reason = QStringLiteral("既不是UTF-8也不是GBK编码的文本");
        return false;
    }
    return true;
}

struct Record {
    int line = 0;
    QStringList fields;
};

// Splits CSV text into records (RFC 4180). Line ends may be CR LF, LF or CR.
bool SplitRecords(const QString& text, std::vector<Record>& records, QString& reason)
{
    int line = 1;
    Record record{1, {}};
    QString field;
    bool quoted = false;
    bool fieldStarted = false;
    const auto endRecord = [&] {
        record.fields << field;
        records.push_back(std::move(record));
        record = Record{line, {}};
        field.clear();
        fieldStarted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (quoted) {
            if (ch == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    field += ch;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (ch == QLatin1Char('\n') || (ch == QLatin1Char('\r') && !(i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))))
                    ++line;
                field += ch;
            }
            continue;
        }
        if (ch == QLatin1Char('"') && !fieldStarted && field.isEmpty()) {
            quoted = true;
            fieldStarted = true;
        } else if (ch == QLatin1Char(',')) {
            record.fields << field;
            field.clear();
            fieldStarted = false;
        } else if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n')) {
            if (ch == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
            ++line;
            endRecord();
        } else {
            field += ch;
            fieldStarted = true;
        }
    }
    if (quoted) {
        reason = QStringLiteral("第%1行起的引号没有闭合").arg(record.line);
        return false;
    }
    if (!field.isEmpty() || !record.fields.isEmpty()) endRecord();
    return true;
}

bool IsBlank(const Record& record)
{
    for (const QString& field : record.fields)
        if (!field.trimmed().isEmpty()) return false;
    return true;
}

QString GroupColumn(int group, int layer)
{
    return QString::fromUtf8(kLayerColumns[group]) + QLatin1Char('_') + QString::number(layer);
}

// Reads one pile row; returns the error text (without the line number) or empty.
QString ReadRow(const QStringList& fields, int groups, int precisionMode, PageInputs& inputs)
{
    const auto field = [&](int column) { return fields[column].trimmed(); };
    const auto std = [](const QString& text) { return text.toStdString(); };
    // A number column may be empty (the value is then not entered, as an empty cell of
    // the window); anything else in it must be a number.
    QString fault;
    const auto number = [&](int column, const QString& name) {
        const QString text = field(column);
        double value = 0;
        if (!text.isEmpty() && !TryConvertNumber(std(text), value) && fault.isEmpty())
            fault = QStringLiteral("“%1”列的“%2”不是数值").arg(name, text);
        return std(text);
    };
    const auto choice = [&](int column, const auto& items, int fallback) {
        const QString text = field(column);
        if (text.isEmpty()) return fallback;
        const int count = static_cast<int>(std::size(items));
        bool isIndex = false;
        const int index = text.toInt(&isIndex);
        if (isIndex && index >= 0 && index < count) return index;
        for (int i = 0; i < count; ++i)
            if (text == QString::fromUtf8(items[i])) return i;
        if (fault.isEmpty()) {
            QStringList allowed;
            for (int i = 0; i < count; ++i) allowed << QString::fromUtf8(items[i]);
            fault = QStringLiteral("“%1”列的“%2”未知，应为0至%3或%4")
                        .arg(QString::fromUtf8(kScheduleColumns[column]), text)
                        .arg(count - 1)
                        .arg(allowed.join(QStringLiteral("、")));
        }
        return fallback;
    };
    const auto yesNo = [&](int column) {
        const QString text = field(column);
        if (text.isEmpty() || text == QStringLiteral("是") || text == QStringLiteral("1")) return true;
        if (text == QStringLiteral("否") || text == QStringLiteral("0")) return false;
        if (fault.isEmpty())
            fault = QStringLiteral("“%1”列的“%2”应为是或否")
                        .arg(QString::fromUtf8(kScheduleColumns[column]), text);
        return true;
    };

    PageInputs read;
    read.precisionMode = precisionMode;
    read.pileNumber = std(field(PileNo));
    PileInput& pile = read.pile;
    const QString section = field(Section);
    int kind = 0;
    for (int i = 0; i < 3; ++i)
        if (section == QString::fromUtf8(kSectionItems[i])) kind = i + 1;
    if (kind == 0)
        return QString::fromStdString(UnknownSectionText(std(section)));
    pile.sectionType = static_cast<SectionType>(kind);
    const std::string size1 = number(Size1, QStringLiteral("尺寸1"));
    std::string size2 = number(Size2, QStringLiteral("尺寸2"));
    pile.d = pile.c = pile.a = pile.b = std::string();
    if (pile.sectionType == SectionType::Rectangle) {
        pile.a = size1;
        pile.b = size2;
    } else {
        // The window's second size field of a circular pile stands disabled at "0".
        if (pile.sectionType == SectionType::Circular && size2.empty()) size2 = std::string(1, '0');
        pile.d = size1;
        pile.c = size2;
    }
    pile.strengthMode = static_cast<StrengthMode>(choice(Strength, kStrengthItems, 1));
    pile.coefficientMode = static_cast<CoefficientMode>(choice(Coefficient, kCoefficientItems, 1));
    pile.interpolationBasis = static_cast<InterpolationBasis>(choice(Basis, kBasisItems, 0));
    pile.boredPile = yesNo(Bored);
    pile.reductionFactor = number(Factor, QStringLiteral("折减系数"));
    if (pile.reductionFactor.empty()) pile.reductionFactor = "0.70";
    pile.softRockExposed = yesNo(Soft);
    if (!fault.isEmpty()) return fault;

    const QString countText = field(Layers);
    bool isCount = false;
    const int count = countText.toInt(&isCount);
    if (!isCount || count < 1 || count > kMaxLayers)
        return QStringLiteral("岩层数“%1”应为1至%2的整数").arg(countText).arg(kMaxLayers);
    if (count > groups)
        return QStringLiteral("岩层数为%1，但表头只有%2层的列").arg(count).arg(groups);
    pile.layers.assign(static_cast<std::size_t>(count), RockLayer());
    for (int k = 0; k < count; ++k) {
        RockLayer& layer = pile.layers[static_cast<std::size_t>(k)];
        const int base = kFixedCount + k * kGroupSize;
        layer.lr = number(base + GLr, GroupColumn(GLr, k + 1));
        layer.weathering = std(field(base + GWeathering));
        layer.integrityText = std(field(base + GIntegrity));
        layer.kv = number(base + GKv, GroupColumn(GKv, k + 1));
        layer.frk = number(base + GFrk, GroupColumn(GFrk, k + 1));
        layer.c1Manual = number(base + GC1, GroupColumn(GC1, k + 1));
        layer.c2Manual = number(base + GC2, GroupColumn(GC2, k + 1));
        layer.qpaGiven = number(base + GQpa, GroupColumn(GQpa, k + 1));
        layer.qraGiven = number(base + GQra, GroupColumn(GQra, k + 1));
    }
    if (!fault.isEmpty()) return fault;
    inputs = std::move(read);
    return QString();
}

}  // namespace

QString ScheduleHeader(int layers)
{
    QStringList names;
    for (const char* name : kScheduleColumns) names << QString::fromUtf8(name);
    for (int k = 1; k <= layers; ++k)
        for (int g = 0; g < kGroupSize; ++g) names << GroupColumn(g, k);
    return names.join(QLatin1Char(','));
}

bool ParseSchedule(const QByteArray& bytes, const QString& fileName, int precisionMode,
                   Schedule& schedule, QString& error)
{
    const QString file = FileLabel(fileName);
    QString text;
    QString reason;
    if (!Decode(bytes, text, reason)) {
        error = file + reason;
        return false;
    }
    std::vector<Record> records;
    if (!SplitRecords(text, records, reason)) {
        error = file + reason;
        return false;
    }
    std::erase_if(records, IsBlank);
    if (records.empty()) {
        error = file + QStringLiteral("是空文件，没有表头行");
        return false;
    }

    // The header: the fixed columns, then whole layer groups numbered from 1.
    const Record& header = records.front();
    const qsizetype columns = header.fields.size();
    const int groups = static_cast<int>((columns - kFixedCount) / kGroupSize);
    const auto expected = [&](qsizetype i) {
        return i < kFixedCount ? QString::fromUtf8(kScheduleColumns[i])
                               : GroupColumn(static_cast<int>((i - kFixedCount) % kGroupSize),
                                             static_cast<int>((i - kFixedCount) / kGroupSize) + 1);
    };
    for (qsizetype i = 0; i < std::min<qsizetype>(columns, kFixedCount + kMaxLayers * kGroupSize); ++i) {
        if (header.fields[i].trimmed() != expected(i)) {
            error = file + QStringLiteral("的表头第%1列为“%2”，应为“%3”（表头第一行须为：%4）")
                               .arg(i + 1)
                               .arg(header.fields[i].trimmed(), expected(i), ScheduleHeader(1));
            return false;
        }
    }
    if (columns < kFixedCount + kGroupSize || (columns - kFixedCount) % kGroupSize != 0 ||
        groups > kMaxLayers) {
        error = file + QStringLiteral("的表头有%1列，应为%2列加每层%3列（1至%4层）")
                           .arg(columns)
                           .arg(kFixedCount)
                           .arg(kGroupSize)
                           .arg(kMaxLayers);
        return false;
    }
    if (records.size() == 1) {
        error = file + QStringLiteral("只有表头行，没有桩");
        return false;
    }

    Schedule read;
    read.rows.reserve(records.size() - 1);
    for (std::size_t r = 1; r < records.size(); ++r) {
        const Record& record = records[r];
        ScheduleRow row;
        row.line = record.line;
        QString fault;
        if (record.fields.size() != columns)
            fault = QStringLiteral("有%1列，表头有%2列").arg(record.fields.size()).arg(columns);
        else
            fault = ReadRow(record.fields, groups, precisionMode, row.inputs);
        if (!fault.isEmpty()) {
            row.error = QStringLiteral("第%1行：%2").arg(record.line).arg(fault);
            // The pile keeps its name in the summary even when its row is refused.
            row.inputs.pileNumber = record.fields.value(PileNo).trimmed().toStdString();
        }
        read.rows.push_back(std::move(row));
    }
    schedule = std::move(read);
    return true;
}

bool ReadSchedule(const QString& path, int precisionMode, Schedule& schedule, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = FileLabel(path) + QStringLiteral("无法打开：%1").arg(file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = FileLabel(path) + QStringLiteral("无法读取：%1").arg(file.errorString());
        return false;
    }
    return ParseSchedule(bytes, path, precisionMode, schedule, error);
}

}  // namespace rockpile
