#include "io/InputFile.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>
#include <cmath>
#include <optional>

#include "files/ResultFile.h"
#include "report/Texts.h"

namespace rockpile {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Member names. The layer members follow the columns of the layer table.
const QString kFormat = QStringLiteral("format");
const QString kVersion = QStringLiteral("version");
const QString kPileNumber = QStringLiteral("pileNumber");
const QString kSection = QStringLiteral("section");
const QString kD = QStringLiteral("d");
const QString kC = QStringLiteral("c");
const QString kA = QStringLiteral("a");
const QString kB = QStringLiteral("b");
const QString kStrengthMode = QStringLiteral("strengthMode");
const QString kCoefficientMode = QStringLiteral("coefficientMode");
const QString kInterpolationBasis = QStringLiteral("interpolationBasis");
const QString kBoredPile = QStringLiteral("boredPile");
const QString kReductionFactor = QStringLiteral("reductionFactor");
const QString kSoftRockExposed = QStringLiteral("softRockExposed");
const QString kPrecisionMode = QStringLiteral("precisionMode");
const QString kLayers = QStringLiteral("layers");

struct LayerMember {
    const char* name;
    std::string RockLayer::*field;
};
constexpr LayerMember kLayerMembers[] = {
    {"lr", &RockLayer::lr},           {"weathering", &RockLayer::weathering},
    {"integrity", &RockLayer::integrityText}, {"kv", &RockLayer::kv},
    {"frk", &RockLayer::frk},         {"c1", &RockLayer::c1Manual},
    {"c2", &RockLayer::c2Manual},     {"qpa", &RockLayer::qpaGiven},
    {"qra", &RockLayer::qraGiven},
};

QString FileLabel(const QString& fileName)
{
    return QStringLiteral("输入文件“%1”").arg(QDir::toNativeSeparators(fileName));
}

// Reads the members of one object, collecting the first error as a text without the
// file name; `where` names the object in messages ("" for the top level).
class ObjectReader {
public:
    ObjectReader(const QJsonObject& object, QString where) : object_(object), where_(std::move(where)) {}

    bool ok() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }
    void fail(const QString& what)
    {
        if (error_.isEmpty()) error_ = where_ + what;
    }
    bool has(const QString& key) const { return object_.contains(key); }

    // A number kept as its text: a JSON string. A JSON number is refused, since
    // converting it back to text could change what the user typed.
    std::optional<std::string> text(const QString& key, bool required)
    {
        const QJsonValue value = object_.value(key);
        if (value.isUndefined()) {
            if (required) fail(QStringLiteral("缺少“%1”").arg(key));
            return std::nullopt;
        }
        if (!value.isString()) {
            fail(QStringLiteral("“%1”的值应为文本（数字也写在引号中，按输入的原样保存），而不是%2")
                     .arg(key, Kind(value)));
            return std::nullopt;
        }
        return value.toString().toStdString();
    }

    std::optional<bool> flag(const QString& key)
    {
        const QJsonValue value = object_.value(key);
        if (value.isUndefined()) {
            fail(QStringLiteral("缺少“%1”").arg(key));
            return std::nullopt;
        }
        if (!value.isBool()) {
            fail(QStringLiteral("“%1”的值应为true或false，而不是%2").arg(key, Kind(value)));
            return std::nullopt;
        }
        return value.toBool();
    }

    std::optional<int> index(const QString& key, int last)
    {
        const QJsonValue value = object_.value(key);
        if (value.isUndefined()) {
            fail(QStringLiteral("缺少“%1”").arg(key));
            return std::nullopt;
        }
        const double number = value.toDouble(-1);
        if (!value.isDouble() || number != std::floor(number) || number < 0 || number > last) {
            fail(QStringLiteral("“%1”的值应为0至%2的整数，而不是%3")
                     .arg(key)
                     .arg(last)
                     .arg(Shown(value)));
            return std::nullopt;
        }
        return static_cast<int>(number);
    }

    // Members other than `known` are refused: a misspelt name would otherwise be
    // dropped without a word.
    void onlyKnown(const QStringList& known)
    {
        for (const QString& key : object_.keys())
            if (!known.contains(key)) fail(QStringLiteral("有未知的项“%1”").arg(key));
    }

    static QString Kind(const QJsonValue& value)
    {
        switch (value.type()) {
        case QJsonValue::Null: return QStringLiteral("null");
        case QJsonValue::Bool: return QStringLiteral("true/false");
        case QJsonValue::Double: return QStringLiteral("数值");
        case QJsonValue::String: return QStringLiteral("文本");
        case QJsonValue::Array: return QStringLiteral("数组");
        case QJsonValue::Object: return QStringLiteral("对象");
        case QJsonValue::Undefined: break;
        }
        return QStringLiteral("未定义的值");
    }

    static QString Shown(const QJsonValue& value)
    {
        if (value.isDouble()) return QString::number(value.toDouble(), 'g', 15);
        if (value.isString()) return QStringLiteral("文本“%1”").arg(value.toString());
        return Kind(value);
    }

private:
    const QJsonObject& object_;
    QString where_;
    QString error_;
};

// Brings a parsed file of an older version forward to the current one, one version
// at a time, on the JSON itself. Version 1 is the first; a later format change adds a
// step here (and a stored old file to the tests).
void UpgradeToCurrent(QJsonObject& /*root*/, int version)
{
    for (int from = version; from < kInputFileVersion; ++from) {
        // No steps yet.
    }
}

}  // namespace

QByteArray InputFileBytes(const PageInputs& inputs)
{
    const PileInput& pile = inputs.pile;
    QJsonObject root;
    root.insert(kFormat, QString::fromLatin1(kInputFileFormat));
    root.insert(kVersion, kInputFileVersion);
    root.insert(kPileNumber, Q(inputs.pileNumber));
    const int section = static_cast<int>(pile.sectionType);
    // The page offers the first three kinds; a square is entered as a rectangle.
    const bool rectangle = pile.sectionType == SectionType::Rectangle ||
                           pile.sectionType == SectionType::Square;
    root.insert(kSection, QString::fromUtf8(kSectionItems[rectangle ? 2 : section - 1]));
    if (rectangle) {
        root.insert(kA, Q(pile.a));
        root.insert(kB, Q(pile.b));
    } else {
        root.insert(kD, Q(pile.d));
        root.insert(kC, Q(pile.c));
    }
    root.insert(kStrengthMode, static_cast<int>(pile.strengthMode));
    root.insert(kCoefficientMode, static_cast<int>(pile.coefficientMode));
    root.insert(kInterpolationBasis, static_cast<int>(pile.interpolationBasis));
    root.insert(kBoredPile, pile.boredPile);
    root.insert(kReductionFactor, Q(pile.reductionFactor));
    root.insert(kSoftRockExposed, pile.softRockExposed);
    root.insert(kPrecisionMode, inputs.precisionMode);
    QJsonArray layers;
    for (const RockLayer& layer : pile.layers) {
        QJsonObject object;
        for (const LayerMember& member : kLayerMembers)
            object.insert(QString::fromLatin1(member.name), Q(layer.*member.field));
        layers.append(object);
    }
    root.insert(kLayers, layers);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool ParseInputFile(const QByteArray& bytes, const QString& fileName, PageInputs& inputs,
                    QString& error)
{
    const QString file = FileLabel(fileName);
    if (bytes.trimmed().isEmpty()) {
        error = file + QStringLiteral("是空文件");
        return false;
    }
    // The JSON parser lets some invalid UTF-8 through; a file saved in another
    // encoding is refused before its texts are read wrongly.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(bytes);
    if (utf8.hasError()) {
        error = file + QStringLiteral("不是UTF-8编码的文本");
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (document.isNull()) {
        error = file + QStringLiteral("不是有效的JSON文件（第%1个字节附近有错）").arg(parseError.offset + 1);
        return false;
    }
    if (!document.isObject() ||
        document.object().value(kFormat).toString() != QLatin1String(kInputFileFormat)) {
        error = file + QStringLiteral("不是嵌岩桩输入文件（缺少“format”: “%1”）")
                           .arg(QLatin1String(kInputFileFormat));
        return false;
    }
    QJsonObject root = document.object();

    const QJsonValue versionValue = root.value(kVersion);
    const double version = versionValue.toDouble(0);
    if (!versionValue.isDouble() || version != std::floor(version) || version < 1) {
        error = file + QStringLiteral("的格式版本%1无法识别，应为1至%2的整数")
                           .arg(ObjectReader::Shown(versionValue))
                           .arg(kInputFileVersion);
        return false;
    }
    if (version > kInputFileVersion) {
        error = file + QStringLiteral("的格式版本为%1，本程序只能读取版本%2及以前的文件，请用更新的程序打开")
                           .arg(QString::number(version, 'g', 15))
                           .arg(kInputFileVersion);
        return false;
    }
    UpgradeToCurrent(root, static_cast<int>(version));

    PageInputs read;
    PileInput& pile = read.pile;
    ObjectReader top(root, QStringLiteral("中"));
    top.onlyKnown({kFormat, kVersion, kPileNumber, kSection, kD, kC, kA, kB, kStrengthMode,
                   kCoefficientMode, kInterpolationBasis, kBoredPile, kReductionFactor,
                   kSoftRockExposed, kPrecisionMode, kLayers});
    if (const auto number = top.text(kPileNumber, false)) read.pileNumber = *number;

    const auto section = top.text(kSection, true);
    if (section) {
        int kind = 0;
        for (int i = 0; i < 3; ++i)
            if (*section == kSectionItems[i]) kind = i + 1;
        if (kind == 0) {
            top.fail(Q(UnknownSectionText(*section)));
        } else {
            pile.sectionType = static_cast<SectionType>(kind);
            const bool rectangle = pile.sectionType == SectionType::Rectangle;
            const QString first = rectangle ? kA : kD;
            const QString second = rectangle ? kB : kC;
            for (const QString& other : rectangle ? QStringList{kD, kC} : QStringList{kA, kB})
                if (top.has(other))
                    top.fail(QStringLiteral("“%1”不属于%2，%2的尺寸是“%3”和“%4”")
                                 .arg(other, Q(*section), first, second));
            const auto size1 = top.text(first, true);
            const auto size2 = top.text(second, true);
            pile.d = pile.c = pile.a = pile.b = std::string();
            (rectangle ? pile.a : pile.d) = size1.value_or(std::string());
            (rectangle ? pile.b : pile.c) = size2.value_or(std::string());
        }
    }
    if (const auto mode = top.index(kStrengthMode, 1))
        pile.strengthMode = static_cast<StrengthMode>(*mode);
    if (const auto mode = top.index(kCoefficientMode, 3))
        pile.coefficientMode = static_cast<CoefficientMode>(*mode);
    if (const auto basis = top.index(kInterpolationBasis, 1))
        pile.interpolationBasis = static_cast<InterpolationBasis>(*basis);
    if (const auto bored = top.flag(kBoredPile)) pile.boredPile = *bored;
    if (const auto factor = top.text(kReductionFactor, true)) pile.reductionFactor = *factor;
    if (const auto soft = top.flag(kSoftRockExposed)) pile.softRockExposed = *soft;
    if (const auto precision = top.index(kPrecisionMode, 4)) read.precisionMode = *precision;

    const QJsonValue layersValue = root.value(kLayers);
    if (!top.ok()) {
        error = file + top.error();
        return false;
    }
    if (!layersValue.isArray()) {
        error = file + (layersValue.isUndefined()
                            ? QStringLiteral("中缺少“layers”")
                            : QStringLiteral("中“layers”应为岩层的数组，而不是%1")
                                  .arg(ObjectReader::Kind(layersValue)));
        return false;
    }
    const QJsonArray layers = layersValue.toArray();
    if (layers.size() < 1 || layers.size() > kMaxLayers) {
        error = file + QStringLiteral("的岩层数为%1，应为1至%2层").arg(layers.size()).arg(kMaxLayers);
        return false;
    }
    QStringList layerKeys;
    for (const LayerMember& member : kLayerMembers) layerKeys << QString::fromLatin1(member.name);
    pile.layers.assign(static_cast<std::size_t>(layers.size()), RockLayer());
    for (qsizetype i = 0; i < layers.size(); ++i) {
        const QString where = QStringLiteral("中第%1层").arg(i + 1);
        if (!layers[i].isObject()) {
            error = file + where + QStringLiteral("应为对象，而不是%1").arg(ObjectReader::Kind(layers[i]));
            return false;
        }
        const QJsonObject object = layers[i].toObject();
        ObjectReader reader(object, where);
        reader.onlyKnown(layerKeys);
        // A member left out is an empty cell, as in a row the layer count has just added.
        for (const LayerMember& member : kLayerMembers)
            if (const auto value = reader.text(QString::fromLatin1(member.name), false))
                pile.layers[static_cast<std::size_t>(i)].*member.field = *value;
        if (!reader.ok()) {
            error = file + reader.error();
            return false;
        }
    }
    inputs = std::move(read);
    return true;
}

bool ReadInputFile(const QString& path, PageInputs& inputs, QString& error)
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
    return ParseInputFile(bytes, path, inputs, error);
}

bool WriteInputFile(const QString& path, const PageInputs& inputs, QString& error)
{
    return WriteBytes(path, InputFileBytes(inputs), error);
}

}  // namespace rockpile
