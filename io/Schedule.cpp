#include "io/Schedule.h"

#include <QBuffer>
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

// The file is read in pieces of whole lines, so that no more than a piece is held. A
// piece ends after a line feed, which is a whole character in UTF-8 and in GBK (their
// bytes of a multi-byte character are never 0x0A), so each piece decodes alone and a
// file is valid text when each of its pieces is.
constexpr qsizetype kPieceBytes = 256 * 1024;

const QByteArray kBom("\xEF\xBB\xBF");

// A character that a GBK decoder gives for bytes that are not GBK text: it maps
// unassigned bytes into the private use area rather than failing; a replacement
// character or a NUL byte (a UTF-16 file, for one) is not GBK text either.
bool ForeignToGbk(QChar ch)
{
    return ch.unicode() == 0 || ch.unicode() == 0xFFFD || (ch.unicode() >= 0xE000 && ch.unicode() <= 0xF8FF);
}

struct Record {
    int line = 0;
    QStringList fields;
};

// Splits CSV text into records (RFC 4180), piece by piece; a record or a quoted field
// may go on into the next piece. Line ends may be CR LF, LF or CR.
class RecordSplitter {
public:
    // `text` ends after a line feed unless it is the end of the file.
    void feed(const QString& text, std::vector<Record>& records)
    {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar ch = text[i];
            if (quoted_) {
                if (ch == QLatin1Char('"')) {
                    if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                        field_ += ch;
                        ++i;
                    } else {
                        quoted_ = false;
                    }
                } else {
                    if (ch == QLatin1Char('\n') || (ch == QLatin1Char('\r') && !(i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))))
                        ++line_;
                    field_ += ch;
                }
                continue;
            }
            if (ch == QLatin1Char('"') && !fieldStarted_ && field_.isEmpty()) {
                quoted_ = true;
                fieldStarted_ = true;
            } else if (ch == QLatin1Char(',')) {
                record_.fields << field_;
                field_.clear();
                fieldStarted_ = false;
            } else if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n')) {
                if (ch == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
                ++line_;
                endRecord(records);
            } else {
                field_ += ch;
                fieldStarted_ = true;
            }
        }
    }
    // At the end of the file: the record without a line end. Returns false with the
    // reason when a quote is left open.
    bool finish(std::vector<Record>& records, QString& reason)
    {
        if (quoted_) {
            reason = QStringLiteral("第%1行起的引号没有闭合").arg(record_.line);
            return false;
        }
        if (!field_.isEmpty() || !record_.fields.isEmpty()) endRecord(records);
        return true;
    }

private:
    void endRecord(std::vector<Record>& records)
    {
        record_.fields << field_;
        records.push_back(std::move(record_));
        record_ = Record{line_, {}};
        field_.clear();
        fieldStarted_ = false;
    }

    int line_ = 1;
    Record record_{1, {}};
    QString field_;
    bool quoted_ = false;
    bool fieldStarted_ = false;
};

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

struct ScheduleReader::State {
    QString fileName;
    int precisionMode = 2;
    std::unique_ptr<QIODevice> device;
    QByteArray bytes;  // the bytes of a schedule given in memory
    QString error;

    // Reading pieces.
    QByteArray carry;  // bytes read after the last piece
    bool atEnd = false;
    bool first = true;

    // What open() found.
    bool gbk = false;
    qsizetype columns = 0;
    int groups = 0;
    qsizetype rowCount = 0;

    // Reading records.
    RecordSplitter splitter;
    std::vector<Record> records;
    std::size_t nextRecord = 0;
    bool finished = false;
    bool headerSeen = false;

    QString file() const { return FileLabel(fileName); }

    bool rewind()
    {
        carry.clear();
        atEnd = false;
        first = true;
        splitter = RecordSplitter();
        records.clear();
        nextRecord = 0;
        finished = false;
        headerSeen = false;
        if (!device->isOpen() && !device->open(QIODevice::ReadOnly)) {
            error = file() + QStringLiteral("无法打开：%1").arg(device->errorString());
            return false;
        }
        if (!device->seek(0)) {
            error = file() + QStringLiteral("无法读取：%1").arg(device->errorString());
            return false;
        }
        return true;
    }

    // The next piece of whole lines, without the byte order mark. Returns false at the
    // end of the file or when it cannot be read (error set).
    bool nextPiece(QByteArray& piece)
    {
        qsizetype cut = -1;
        while (true) {
            if (carry.size() >= kPieceBytes) cut = carry.lastIndexOf('\n') + 1;
            if (cut > 0 || atEnd) break;
            const QByteArray more = device->read(kPieceBytes);
            if (more.isEmpty()) {
                if (!device->atEnd()) {
                    error = file() + QStringLiteral("无法读取：%1").arg(device->errorString());
                    return false;
                }
                atEnd = true;
            }
            carry += more;
        }
        if (carry.isEmpty()) return false;
        if (cut <= 0) cut = carry.size();
        piece = carry.left(cut);
        carry.remove(0, cut);
        if (first && piece.startsWith(kBom)) piece.remove(0, kBom.size());
        first = false;
        return true;
    }

    QString decode(const QByteArray& piece) const
    {
        QStringDecoder decoder = gbk ? QStringDecoder("GBK")
                                     : QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        return decoder.decode(piece);
    }

    // The next record, blank records skipped. Returns false at the end, with error set
    // when the file could not be read or a quote is left open.
    bool nextRecordOf(Record& record)
    {
        while (true) {
            while (nextRecord < records.size()) {
                Record& candidate = records[nextRecord++];
                if (IsBlank(candidate)) continue;
                record = std::move(candidate);
                return true;
            }
            records.clear();
            nextRecord = 0;
            if (finished) return false;
            QByteArray piece;
            if (nextPiece(piece)) {
                splitter.feed(decode(piece), records);
            } else {
                if (!error.isEmpty()) return false;
                finished = true;
                QString reason;
                if (!splitter.finish(records, reason)) {
                    error = file() + reason;
                    return false;
                }
            }
        }
    }

    // UTF-8 when the file carries the byte order mark or is valid UTF-8, otherwise GBK.
    bool detectEncoding()
    {
        if (!rewind()) return false;
        const bool bom = device->peek(kBom.size()) == kBom;
        bool utf8 = true;
        QByteArray piece;
        while (utf8 && nextPiece(piece)) {
            QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString text = decoder.decode(piece);
            utf8 = !decoder.hasError();
        }
        if (!error.isEmpty()) return false;
        if (utf8) return true;
        if (bom) {
            error = file() + QStringLiteral("以UTF-8标记开头，但内容不是有效的UTF-8文本");
            return false;
        }
        if (!QStringDecoder("GBK").isValid()) {
            error = file() + QStringLiteral("不是UTF-8文本，而本系统不支持GBK编码");
            return false;
        }
        gbk = true;
        if (!rewind()) return false;
        while (nextPiece(piece)) {
            QStringDecoder decoder("GBK");
            const QString text = decoder.decode(piece);
            if (decoder.hasError() || std::any_of(text.cbegin(), text.cend(), ForeignToGbk)) {
                error = file() + QStringLiteral("既不是UTF-8也不是GBK编码的文本");
                return false;
            }
        }
        return error.isEmpty();
    }

    // Reads every record once: the header, the quotes and the number of rows.
    bool check()
    {
        if (!rewind()) return false;
        Record header;
        bool any = false;
        qsizetype rows = 0;
        Record record;
        while (nextRecordOf(record)) {
            if (!any)
                header = std::move(record);
            else
                ++rows;
            any = true;
        }
        if (!error.isEmpty()) return false;
        if (!any) {
            error = file() + QStringLiteral("是空文件，没有表头行");
            return false;
        }

        // The header: the fixed columns, then whole layer groups numbered from 1.
        columns = header.fields.size();
        groups = static_cast<int>((columns - kFixedCount) / kGroupSize);
        const auto expected = [&](qsizetype i) {
            return i < kFixedCount ? QString::fromUtf8(kScheduleColumns[i])
                                   : GroupColumn(static_cast<int>((i - kFixedCount) % kGroupSize),
                                                 static_cast<int>((i - kFixedCount) / kGroupSize) + 1);
        };
        for (qsizetype i = 0; i < std::min<qsizetype>(columns, kFixedCount + kMaxLayers * kGroupSize); ++i) {
            if (header.fields[i].trimmed() != expected(i)) {
                error = file() + QStringLiteral("的表头第%1列为“%2”，应为“%3”（表头第一行须为：%4）")
                                     .arg(i + 1)
                                     .arg(header.fields[i].trimmed(), expected(i), ScheduleHeader(1));
                return false;
            }
        }
        if (columns < kFixedCount + kGroupSize || (columns - kFixedCount) % kGroupSize != 0 ||
            groups > kMaxLayers) {
            error = file() + QStringLiteral("的表头有%1列，应为%2列加每层%3列（1至%4层）")
                                 .arg(columns)
                                 .arg(kFixedCount)
                                 .arg(kGroupSize)
                                 .arg(kMaxLayers);
            return false;
        }
        if (rows == 0) {
            error = file() + QStringLiteral("只有表头行，没有桩");
            return false;
        }
        rowCount = rows;
        return rewind();
    }
};

ScheduleReader::ScheduleReader(const QString& path, int precisionMode) : state_(std::make_unique<State>())
{
    state_->fileName = path;
    state_->precisionMode = precisionMode;
    state_->device = std::make_unique<QFile>(path);
}

ScheduleReader::ScheduleReader(const QByteArray& bytes, const QString& fileName, int precisionMode)
    : state_(std::make_unique<State>())
{
    state_->fileName = fileName;
    state_->precisionMode = precisionMode;
    state_->bytes = bytes;
    state_->device = std::make_unique<QBuffer>(&state_->bytes);
}

ScheduleReader::~ScheduleReader() = default;

bool ScheduleReader::open(QString& error)
{
    state_->error.clear();
    state_->rowCount = 0;
    if (!state_->detectEncoding() || !state_->check()) {
        error = state_->error;
        return false;
    }
    return true;
}

qsizetype ScheduleReader::rowCount() const { return state_->rowCount; }

const QString& ScheduleReader::error() const { return state_->error; }

bool ScheduleReader::next(ScheduleRow& row)
{
    State& s = *state_;
    if (s.rowCount == 0 || !s.error.isEmpty()) return false;
    Record record;
    if (!s.headerSeen) {
        if (!s.nextRecordOf(record)) return false;
        s.headerSeen = true;
    }
    if (!s.nextRecordOf(record)) return false;
    row = ScheduleRow();
    row.line = record.line;
    QString fault;
    if (record.fields.size() != s.columns)
        fault = QStringLiteral("有%1列，表头有%2列").arg(record.fields.size()).arg(s.columns);
    else
        fault = ReadRow(record.fields, s.groups, s.precisionMode, row.inputs);
    if (!fault.isEmpty()) {
        row.error = QStringLiteral("第%1行：%2").arg(record.line).arg(fault);
        // The pile keeps its name in the summary even when its row is refused.
        row.inputs.pileNumber = record.fields.value(PileNo).trimmed().toStdString();
    }
    return true;
}

namespace {

bool ReadAllRows(ScheduleReader& reader, Schedule& schedule, QString& error)
{
    if (!reader.open(error)) return false;
    Schedule read;
    read.rows.reserve(static_cast<std::size_t>(reader.rowCount()));
    ScheduleRow row;
    while (reader.next(row)) read.rows.push_back(std::move(row));
    if (!reader.error().isEmpty()) {
        error = reader.error();
        return false;
    }
    schedule = std::move(read);
    return true;
}

}  // namespace

bool ParseSchedule(const QByteArray& bytes, const QString& fileName, int precisionMode,
                   Schedule& schedule, QString& error)
{
    ScheduleReader reader(bytes, fileName, precisionMode);
    return ReadAllRows(reader, schedule, error);
}

bool ReadSchedule(const QString& path, int precisionMode, Schedule& schedule, QString& error)
{
    ScheduleReader reader(path, precisionMode);
    return ReadAllRows(reader, schedule, error);
}

}  // namespace rockpile
