#include "config/compare.h"

#include "i18n/tr.h"

#include <QCoreApplication>

namespace config {

std::vector<CompareRow> Compare(const Configuration& left, const Configuration& right)
{
    std::vector<CompareRow> rows;
    for (const auto& item : Items()) {
        CompareRow row;
        row.item = &item;
        const bool l = item.has(left);
        const bool r = item.has(right);
        if (l)
            row.left = item.text(left);
        if (r)
            row.right = item.text(right);
        if (l && r)
            row.state = item.equal(left, right) ? CompareState::Equal : CompareState::Different;
        else if (l)
            row.state = CompareState::OnlyLeft;
        else if (r)
            row.state = CompareState::OnlyRight;
        rows.push_back(std::move(row));
    }
    return rows;
}

bool AllEqual(const std::vector<CompareRow>& rows, bool withIdentity)
{
    for (const auto& row : rows) {
        if (row.item->identity && !withIdentity)
            continue;
        if (row.state != CompareState::Equal && row.state != CompareState::Neither)
            return false;
    }
    return true;
}

std::string StateText(CompareState s, std::string_view leftName, std::string_view rightName)
{
    switch (s) {
    case CompareState::Equal: return i18n::Arg(QCoreApplication::translate("config", "equal"));
    case CompareState::Different: return i18n::Arg(QCoreApplication::translate("config", "different"));
    case CompareState::OnlyLeft: return i18n::Arg(QCoreApplication::translate("config", "only in %1"), leftName);
    case CompareState::OnlyRight: return i18n::Arg(QCoreApplication::translate("config", "only in %1"), rightName);
    case CompareState::Neither: return i18n::Arg(QCoreApplication::translate("config", "in neither"));
    }
    return {};
}

} // namespace config
