#include "config/item_captions.h"

#include "codec/text.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace config {

namespace {

constexpr const char* kContext = "ItemCaptions";

struct Caption {
    std::string_view key;
    const char* text;
};

// Every item of the file, as the page that sets it names it: the group box
// or row label, without its colon.
constexpr Caption kItemCaptions[] = {
    {"message", QT_TRANSLATE_NOOP("ItemCaptions", "Instrument Information")},
    {"tagDescriptorDate", QT_TRANSLATE_NOOP("ItemCaptions", "Tag, Descriptor, Date Of Production")},
    {"finalAssemblyNumber", QT_TRANSLATE_NOOP("ItemCaptions", "Assembly Number")},
    {"longTag", QT_TRANSLATE_NOOP("ItemCaptions", "LTAG")},
    {"range", QT_TRANSLATE_NOOP("ItemCaptions", "OUT DC4-20mA Output")},
    {"instrumentCommand1", QT_TRANSLATE_NOOP("ItemCaptions", "Instrument Command 1")},
    {"instrumentCommand2", QT_TRANSLATE_NOOP("ItemCaptions", "Instrument Command 2")},
    {"instrumentCommand3", QT_TRANSLATE_NOOP("ItemCaptions", "Instrument Command 3")},
    {"instrumentCommand4", QT_TRANSLATE_NOOP("ItemCaptions", "Instrument Command 4")},
    {"parsingFormat", QT_TRANSLATE_NOOP("ItemCaptions", "MODBUS Paring Format")},
    {"rs485", QT_TRANSLATE_NOOP("ItemCaptions", "RS485 Parameter Configuration")},
    {"analogInput1", QT_TRANSLATE_NOOP("ItemCaptions", "Analog Configuration AD1")},
    {"analogInput2", QT_TRANSLATE_NOOP("ItemCaptions", "Analog Configuration AD2")},
    {"analogInput3", QT_TRANSLATE_NOOP("ItemCaptions", "Analog Configuration AD3")},
    {"analogInput4", QT_TRANSLATE_NOOP("ItemCaptions", "Analog Configuration AD4")},
    {"variableMapping", QT_TRANSLATE_NOOP("ItemCaptions", "HART Variable Output Configuration")},
    {"sensorSerialNumber", QT_TRANSLATE_NOOP("ItemCaptions", "Sensor Serial Number")},
    {"internalParameters", QT_TRANSLATE_NOOP("ItemCaptions", "internal parameter settings")},
    {"pollingAddress", QT_TRANSLATE_NOOP("ItemCaptions", "Address Modification")},
};

// The fields inside an item, per item key prefix, in the order of the page's
// controls; the captions are the controls' labels and column heads.
struct FieldCaption {
    std::string_view item; // prefix of the item key
    std::string_view field;
    const char* text;
};
constexpr FieldCaption kFieldCaptions[] = {
    {"tagDescriptorDate", "tag", QT_TRANSLATE_NOOP("ItemCaptions", "Tag")},
    {"tagDescriptorDate", "descriptor", QT_TRANSLATE_NOOP("ItemCaptions", "Descriptor")},
    {"tagDescriptorDate", "year", QT_TRANSLATE_NOOP("ItemCaptions", "Year")},
    {"tagDescriptorDate", "month", QT_TRANSLATE_NOOP("ItemCaptions", "Month")},
    {"tagDescriptorDate", "day", QT_TRANSLATE_NOOP("ItemCaptions", "Day")},
    {"range", "upper", QT_TRANSLATE_NOOP("ItemCaptions", "OUT  DC20mA")},
    {"range", "lower", QT_TRANSLATE_NOOP("ItemCaptions", "OUT  DC4mA")},
    {"range", "unit", QT_TRANSLATE_NOOP("ItemCaptions", "Unit")},
    {"instrumentCommand", "enable", QT_TRANSLATE_NOOP("ItemCaptions", "Enable")},
    {"instrumentCommand", "commandCode", QT_TRANSLATE_NOOP("ItemCaptions", "Command Code")},
    {"instrumentCommand", "returnByte1", QT_TRANSLATE_NOOP("ItemCaptions", "Return Byte 1")},
    {"instrumentCommand", "returnByte2", QT_TRANSLATE_NOOP("ItemCaptions", "Byte 2")},
    {"parsingFormat", "command", QT_TRANSLATE_NOOP("ItemCaptions", "Command Number")},
    {"parsingFormat", "dataAddress", QT_TRANSLATE_NOOP("ItemCaptions", "Data Addr")},
    {"parsingFormat", "length", QT_TRANSLATE_NOOP("ItemCaptions", "Length")},
    {"parsingFormat", "format", QT_TRANSLATE_NOOP("ItemCaptions", "Parsing Format")},
    {"parsingFormat", "coefficient", QT_TRANSLATE_NOOP("ItemCaptions", "Coefficient")},
    {"rs485", "baudRate", QT_TRANSLATE_NOOP("ItemCaptions", "Baud Rate")},
    {"rs485", "parity", QT_TRANSLATE_NOOP("ItemCaptions", "Parity Bit")},
    {"rs485", "interval", QT_TRANSLATE_NOOP("ItemCaptions", "Communication Interval Time")},
    {"analogInput", "upper", QT_TRANSLATE_NOOP("ItemCaptions", "Upper Limit")},
    {"analogInput", "lower", QT_TRANSLATE_NOOP("ItemCaptions", "Lower Llimit")},
    {"analogInput", "start", QT_TRANSLATE_NOOP("ItemCaptions", "Start Point")},
    {"analogInput", "coefficient", QT_TRANSLATE_NOOP("ItemCaptions", "Coefficient/10000")},
    {"variableMapping", "channel", QT_TRANSLATE_NOOP("ItemCaptions", "Input Channel")},
    {"variableMapping", "unit", QT_TRANSLATE_NOOP("ItemCaptions", "Unit Code")},
    {"internalParameters", "sensorType", QT_TRANSLATE_NOOP("ItemCaptions", "Sensor Type")},
    {"internalParameters", "manufacturerId", QT_TRANSLATE_NOOP("ItemCaptions", "Manufacturing ID")},
};

// The row labels of the items that are lists of rows.
struct RowCaptions {
    std::string_view item;
    const char* rows[5];
};
constexpr RowCaptions kRowCaptions[] = {
    {"parsingFormat",
     {QT_TRANSLATE_NOOP("ItemCaptions", "RS485 AD3 Value"), QT_TRANSLATE_NOOP("ItemCaptions", "RS485 AD4 Value"),
      QT_TRANSLATE_NOOP("ItemCaptions", "RS485 AD5 Value"), QT_TRANSLATE_NOOP("ItemCaptions", "RS485 AD6 Value"),
      QT_TRANSLATE_NOOP("ItemCaptions", "Serial Number")}},
    {"variableMapping",
     {QT_TRANSLATE_NOOP("ItemCaptions", "Variable 1"), QT_TRANSLATE_NOOP("ItemCaptions", "Variable 2"),
      QT_TRANSLATE_NOOP("ItemCaptions", "Variable 3"), QT_TRANSLATE_NOOP("ItemCaptions", "Variable 4"), nullptr}},
};

QString Tr(const char* text) { return QCoreApplication::translate(kContext, text); }

// Position of a field among its item's fields (unknown ones last), and its caption.
std::pair<std::size_t, QString> FieldOf(std::string_view item, const QString& field)
{
    const std::string name = field.toStdString();
    for (std::size_t k = 0; k < std::size(kFieldCaptions); ++k)
        if (item.starts_with(kFieldCaptions[k].item) && kFieldCaptions[k].field == name)
            return {k, Tr(kFieldCaptions[k].text)};
    return {std::size(kFieldCaptions), field};
}

QString RowCaption(std::string_view item, qsizetype row)
{
    for (const auto& r : kRowCaptions)
        if (r.item == item && row < static_cast<qsizetype>(std::size(r.rows)) && r.rows[row])
            return Tr(r.rows[row]);
    return QCoreApplication::translate(kContext, "Row %1").arg(row + 1);
}

// A list pick or a unit: the byte the device holds, with its item for people.
bool IsPick(const QJsonObject& o)
{
    if (!o.value(QStringLiteral("code")).isDouble())
        return false;
    for (auto it = o.begin(); it != o.end(); ++it)
        if (it.key() != QStringLiteral("code") && it.key() != QStringLiteral("index") && it.key() != QStringLiteral("text"))
            return false;
    return true;
}

// A number as the file writes it (Qt's shortest form).
QString NumberText(const QJsonValue& v)
{
    QByteArray json = QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.mid(1, json.size() - 2));
}

struct Leaf {
    ItemField field;
    QJsonValue compared; // what decides whether two sides differ
};

void Flatten(std::string_view item, const QJsonValue& v, const QString& key, const QString& caption,
             std::vector<Leaf>& out)
{
    if (v.isObject() && IsPick(v.toObject())) {
        const QJsonObject o = v.toObject();
        const QJsonValue text = o.value(QStringLiteral("text"));
        const QString shown = text.isString() ? SafeText(text.toString())
                                              : QCoreApplication::translate(kContext, "code %1")
                                                    .arg(NumberText(o.value(QStringLiteral("code"))));
        out.push_back({{key, caption, shown}, o.value(QStringLiteral("code"))});
    } else if (v.isObject()) {
        const QJsonObject o = v.toObject();
        std::vector<std::pair<std::size_t, QString>> order;
        for (auto it = o.begin(); it != o.end(); ++it)
            order.push_back({FieldOf(item, it.key()).first, it.key()});
        std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [rank, name] : order) {
            const QString field = FieldOf(item, name).second;
            Flatten(item, o.value(name), key.isEmpty() ? name : key + '/' + name,
                    caption.isEmpty() ? field : caption + QStringLiteral(": ") + field, out);
        }
    } else if (v.isArray()) {
        const QJsonArray a = v.toArray();
        for (qsizetype r = 0; r < a.size(); ++r) {
            const QString row = RowCaption(item, r);
            Flatten(item, a.at(r), (key.isEmpty() ? QString() : key + '/') + QString::number(r + 1),
                    caption.isEmpty() ? row : caption + QStringLiteral(": ") + row, out);
        }
    } else {
        const QString shown = v.isString() ? SafeText(v.toString()) : v.isDouble() ? NumberText(v) : QString();
        out.push_back({{key, caption.isEmpty() ? ItemCaption(item) : caption, shown}, v});
    }
}

std::vector<Leaf> Leaves(const config::Item& item, const config::Configuration& c)
{
    std::vector<Leaf> out;
    if (item.has(c))
        Flatten(item.name, item.toJson(c), QString(), QString(), out);
    return out;
}

} // namespace

QString ItemCaption(std::string_view key)
{
    for (const auto& c : kItemCaptions)
        if (c.key == key)
            return Tr(c.text);
    return {};
}

QString SafeText(const QString& text)
{
    // One-byte texts (the long tag) escape as the bytes the device holds.
    const bool oneByte = std::all_of(text.begin(), text.end(), [](QChar ch) { return ch.unicode() <= 0xFF; });
    if (oneByte) {
        const QByteArray bytes = text.toLatin1();
        return QString::fromLatin1(codec::EscapeControl(std::string_view(bytes.constData(), bytes.size())));
    }
    const QByteArray bytes = text.toUtf8();
    return QString::fromStdString(codec::EscapeControl(std::string_view(bytes.constData(), bytes.size()), true));
}

QString SafeText(std::string_view utf8)
{
    // Texts the item table escaped already stay as they are.
    if (!codec::HasControl(utf8, true))
        return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    return QString::fromStdString(codec::EscapeControl(utf8, true));
}

std::vector<ItemField> ItemFields(const config::Item& item, const config::Configuration& c)
{
    std::vector<ItemField> out;
    for (auto& leaf : Leaves(item, c))
        out.push_back(std::move(leaf.field));
    return out;
}

std::vector<FieldRow> CompareFields(const config::Item& item, const config::Configuration* device,
                                    const config::Configuration* file)
{
    const auto left = device ? Leaves(item, *device) : std::vector<Leaf>{};
    const auto right = file ? Leaves(item, *file) : std::vector<Leaf>{};
    std::vector<FieldRow> rows;
    for (const auto& l : left) {
        FieldRow row{l.field.caption, l.field.value, QString(), true};
        for (const auto& r : right)
            if (r.field.key == l.field.key) {
                row.file = r.field.value;
                row.differs = r.compared != l.compared;
            }
        rows.push_back(row);
    }
    for (const auto& r : right)
        if (std::none_of(left.begin(), left.end(), [&](const Leaf& l) { return l.field.key == r.field.key; }))
            rows.push_back({r.field.caption, QString(), r.field.value, true});
    return rows;
}

QString ProposedSaveName(const std::optional<std::string>& tag, const QDate& date)
{
    // Letters, digits, "-" and "_" are safe on every file system; any run of
    // other characters (blanks, slashes, control bytes) becomes one "_".
    QString safe;
    bool gap = false;
    for (const char ch : tag.value_or(std::string())) {
        const auto c = static_cast<unsigned char>(ch);
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
        if (!ok) {
            gap = true;
            continue;
        }
        if (gap && !safe.isEmpty())
            safe += '_';
        gap = false;
        safe += QChar::fromLatin1(static_cast<char>(c));
    }
    if (safe.isEmpty())
        safe = QStringLiteral("configuration");
    return safe + '-' + date.toString(Qt::ISODate) + QStringLiteral(".json");
}

} // namespace config
