#include "config/strict_json.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <set>
#include <vector>

namespace config {

namespace {

struct Level {
    bool object = false;
    std::set<std::string> keys;
    std::string path;   // of this container
    std::string member; // path of the member or element being read
    int element = 0;
};

// A key with escapes ("\u0061" is "a") is compared as Qt reads it.
std::string KeyText(const QByteArray& raw)
{
    if (!raw.contains('\\'))
        return raw.mid(1, raw.size() - 2).toStdString();
    const QJsonDocument doc = QJsonDocument::fromJson("[" + raw + "]");
    return doc.array().at(0).toString().toStdString();
}

} // namespace

std::optional<std::string> DuplicateKey(const QByteArray& json)
{
    std::vector<Level> stack;
    bool expectKey = false;
    for (qsizetype i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (c == '"') {
            const qsizetype start = i;
            for (++i; i < json.size() && json[i] != '"'; ++i)
                if (json[i] == '\\')
                    ++i;
            if (expectKey && !stack.empty() && stack.back().object) {
                Level& top = stack.back();
                const std::string key = KeyText(json.mid(start, i - start + 1));
                top.member = top.path.empty() ? key : top.path + "." + key;
                if (!top.keys.insert(key).second)
                    return top.member;
                expectKey = false;
            }
        } else if (c == '{' || c == '[') {
            Level next;
            next.object = c == '{';
            next.path = stack.empty() ? std::string() : stack.back().member;
            if (!next.object)
                next.member = next.path + "[1]";
            stack.push_back(std::move(next));
            expectKey = c == '{';
        } else if (c == '}' || c == ']') {
            if (!stack.empty())
                stack.pop_back();
        } else if (c == ',' && !stack.empty()) {
            Level& top = stack.back();
            if (top.object) {
                expectKey = true;
            } else {
                ++top.element;
                top.member = top.path + "[" + std::to_string(top.element + 1) + "]";
            }
        }
    }
    return std::nullopt;
}

} // namespace config
