#include "contracts/contract_card.h"

#include "contracts/bound_edit.h"
#include "contracts/data_module.h"
#include "ui/colors.h"
#include "ui/fonts.h"
#include "ui/images.h"
#include "ui/labels.h"
#include "ui/picture_button.h"
#include "ui/screen_window.h"

#include <QKeyEvent>

namespace contracts {

namespace {

struct CardField {
    const char* field;
    const char* label;
    QRect labelGeometry;
    QString text;
    const char* edit;
    QPoint editPosition;
    int editWidth;
    int tabOrder;
};

// In screen order, top to bottom and left to right; the tab order is its own.
const std::vector<CardField>& cardFields() {
    static const std::vector<CardField> fields = {
        {"KNomer", "lbl3", {24, 97, 129, 16}, QStringLiteral("Номер контракта"), "dbedtKNomer", {168, 96}, 137, 0},
        {"KDate", "lbl4", {368, 97, 129, 16}, QStringLiteral("Дата подписания"), "dbedtKNomer1", {504, 96}, 89, 1},
        {"KSumma", "lbl9", {640, 97, 121, 16}, QStringLiteral("Цена контракта"), "dbedtKDate1", {776, 96}, 201, 6},
        {"KPredmet", "lbl5", {24, 153, 89, 40}, QStringLiteral("Предмет \nконтракта"), "dbedtKNomer2", {128, 152}, 457, 2},
        {"KObjekt", "lbl6", {608, 153, 57, 16}, QStringLiteral("Объект"), "dbedtKDate", {672, 152}, 305, 3},
        {"KWVS", "lbl16", {24, 217, 153, 16}, QStringLiteral("Заголовок контракта"), "dbedtKNomer3", {184, 216}, 321, 11},
        {"KPodr", "lbl7", {24, 297, 81, 16}, QStringLiteral("Подрядчик"), "dbedtKPredmet", {128, 296}, 217, 4},
        {"KZakaz", "lbl8", {464, 297, 73, 16}, QStringLiteral("Заказчик"), "dbedtKObjekt", {552, 296}, 425, 5},
        {"KDPodr", "lbl10", {24, 353, 185, 32}, QStringLiteral("Должность руководителя \nПодрядчика"), "dbedtKPodr",
         {232, 352}, 217, 7},
        {"KDZakaz", "lbl11", {496, 353, 185, 32}, QStringLiteral("Должность руководителя\nЗаказчика"), "dbedtKZakaz",
         {696, 352}, 281, 8},
        {"KFPodr", "lbl12", {24, 417, 185, 32}, QStringLiteral("Фамилия и инициалы\nруководителя Подрядчика"),
         "dbedtKDPodr", {232, 416}, 217, 9},
        {"KFZakaz", "lbl13", {496, 417, 185, 32}, QStringLiteral("Фамилия и инициалы\nруководителя Заказчика"),
         "dbedtKDZakaz", {696, 416}, 281, 10},
    };
    return fields;
}

QLabel* olive(QWidget* parent, const char* name, const QString& text, QRect where, const QFont& font) {
    return ui::layoutLabel(parent, QString::fromLatin1(name), text, where, font);
}

}  // namespace

TForm5::TForm5(TfDM15& module) : module_(module) {
    ui::setUpScreenWindow(this, {QStringLiteral("Form5"), QStringLiteral("Карточка контракта"),
                                 QRect(202, 114, 1088, 702), ui::TitleButtons::All});
    setFont(ui::tahoma(11));
    ui::setTextColor(this, ui::kGrey);

    olive(this, "lbl2", QStringLiteral("КАРТОЧКА КОНТРАКТА"), {23, 15, 0, 0}, ui::verdana(16, true));
    olive(this, "lbl1",
          QStringLiteral("Здесь можно просматривать, редактировать и добавлять данные в выбранный контракт"),
          {24, 57, 625, 16}, ui::verdana(13));
    olive(this, "lbl17",
          QStringLiteral("Это может быть государственный или муниципальный контракта \n"
                         "или просто контракт или договор, что и надо прописать в этом поле"),
          {520, 217, 457, 32}, ui::verdana(11));

    std::vector<BoundEdit*> byTab(cardFields().size(), nullptr);
    for (const CardField& f : cardFields()) {
        olive(this, f.label, f.text, f.labelGeometry, ui::verdana(13));
        auto* edit = new BoundEdit(this);
        edit->setObjectName(QString::fromLatin1(f.edit));
        edit->setGeometry(QRect(f.editPosition, QSize(f.editWidth, 22)));
        edit->setFont(ui::verdana(13));
        // Flat: a single-line border instead of the sunken one.
        edit->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid %1; color: %2; padding: 0 1px; }")
                                .arg(QColor(160, 160, 160).name(), ui::kGrey.name()));
        edit->setDataField(QString::fromLatin1(f.field));
        edit->setFieldLabel(f.text.simplified());
        edit->setDataSource(&module_.ds1);
        byTab[static_cast<std::size_t>(f.tabOrder)] = edit;
    }
    for (std::size_t i = 1; i < byTab.size(); ++i) setTabOrder(byTab[i - 1], byTab[i]);

    auto* img1 = new ui::PictureButton(this, QStringLiteral("img1"), ui::picture(ui::Picture::Ring), {24, 547},
                                       QStringLiteral("ДОПЫ"));
    olive(this, "lbl14", QStringLiteral("СОХРАНИТЬ ИЗМЕНЕНИЯ\nВ КОНТРАКТЕ"), {72, 552, 0, 0}, ui::verdana(13));
    auto* img2 = new ui::PictureButton(this, QStringLiteral("img2"), ui::picture(ui::Picture::Square), {264, 547},
                                       QStringLiteral("ДОПЫ"));
    olive(this, "lbl15", QStringLiteral("ОТМЕНИТЬ \nВСЕ ИЗМЕНЕНИЯ\n"), {312, 552, 0, 0}, ui::verdana(13));
    connect(img1, &ui::PictureButton::clicked, this, &TForm5::img1Click);
    connect(img2, &ui::PictureButton::clicked, this, &TForm5::img2Click);
}

BoundEdit* TForm5::editFor(const QString& fieldName) const {
    for (BoundEdit* edit : findChildren<BoundEdit*>())
        if (edit->dataField().compare(fieldName, Qt::CaseInsensitive) == 0) return edit;
    return nullptr;
}

void TForm5::img1Click() {
    // Text still in the focused edit is written first, so that the save button saves it.
    // A refused post raises before accept(): the card stays open with every value.
    ContractTable& table = module_.tbl1;
    table.UpdateRecord();
    if (table.Modified()) table.Post();
    accept();
}

void TForm5::img2Click() {
    module_.tbl1.Cancel();
    accept();
}

void TForm5::keyPressEvent(QKeyEvent* event) {
    // Escape belongs to the edits (it puts the field's value back); it never closes the card.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace contracts
