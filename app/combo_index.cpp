#include "app/combo_index.h"

#include "codec/units.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QStyle>
#include <QVariant>

#include <algorithm>

namespace app {

int ItemIndex(const QComboBox* combo)
{
    const int current = combo->currentIndex();
    // Picking an item or setting the text from code clears the modified flag; only typing sets it.
    const QLineEdit* edit = combo->lineEdit();
    if (edit == nullptr || !edit->isModified())
        return current;
    const QString text = edit->text();
    if (current >= 0 && combo->itemText(current) == text)
        return current;
    // Exact and case-sensitive on purpose: QComboBox::findText would fold case through the completer's setting.
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i) == text)
            return i;
    }
    return -1;
}

void SelectItem(QComboBox* combo, int index)
{
    if (index < 0 || index >= combo->count()) {
        combo->setCurrentIndex(-1);
        if (combo->isEditable())
            combo->setEditText(QString());
        return;
    }
    combo->setCurrentIndex(index);
    // setCurrentIndex is a no-op when the index does not change, which would keep text typed over the item.
    if (combo->isEditable())
        combo->setEditText(combo->itemText(index));
}

namespace {

constexpr const char* kKeptByte = "mhKeptListByte";
constexpr const char* kWatched = "mhListByteWatched";

void Forget(QComboBox* combo) { combo->setProperty(kKeptByte, QVariant()); }

void Keep(QComboBox* combo, std::uint8_t byte)
{
    combo->setProperty(kKeptByte, int{byte});
    if (!combo->property(kWatched).toBool()) {
        combo->setProperty(kWatched, true);
        // Only the user's own change lets go of the byte; code that selects an item goes through ShowListByte.
        QObject::connect(combo, &QComboBox::activated, combo, [combo] { Forget(combo); });
        if (QLineEdit* edit = combo->lineEdit())
            QObject::connect(edit, &QLineEdit::textEdited, combo, [combo] { Forget(combo); });
    }
}

} // namespace

void ShowListByte(QComboBox* combo, int index, std::uint8_t byte)
{
    SelectItem(combo, index);
    if (index >= 0) {
        Forget(combo);
        return;
    }
    Keep(combo, byte);
}

void ShowUnitCode(QComboBox* combo, std::uint8_t code)
{
    const int item = codec::UnitCodeToItem(code);
    ShowListByte(combo, item, code);
    // "82_other" stands for many codes: the device's own is kept for a Set.
    if (codec::ItemToUnitCode(item) != code)
        Keep(combo, code);
}

std::uint8_t SentUnitCode(const QComboBox* combo)
{
    const QVariant kept = combo->property(kKeptByte);
    if (kept.isValid() && ItemIndex(combo) == combo->currentIndex())
        return static_cast<std::uint8_t>(kept.toInt());
    return codec::ItemToUnitCode(ItemIndex(combo));
}

int SentIndex(const QComboBox* combo)
{
    const int index = ItemIndex(combo);
    if (index >= 0 || combo->currentIndex() >= 0)
        return index;
    const QVariant kept = combo->property(kKeptByte);
    return kept.isValid() ? kept.toInt() : -1;
}

void ForgetListBytes(QWidget* root)
{
    for (QComboBox* combo : root->findChildren<QComboBox*>())
        Forget(combo);
}

void FitPopupToItems(QComboBox* combo)
{
    QAbstractItemView* view = combo->view();
    const QFontMetrics metrics = view->fontMetrics();
    int widest = 0;
    for (int i = 0; i < combo->count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(combo->itemText(i)));
    const QStyle* style = combo->style();
    const int extra
        = style->pixelMetric(QStyle::PM_ScrollBarExtent) + 4 * style->pixelMetric(QStyle::PM_DefaultFrameWidth) + 16;
    view->setMinimumWidth(widest + extra);
}

} // namespace app
