#include "contracts/contracts_page.h"

#include "contracts/data_module.h"
#include "contracts/editable_contract_grid.h"
#include "contracts/record_indicator.h"
#include "contracts/record_navigator.h"
#include "ui/colors.h"
#include "ui/fonts.h"
#include "ui/framed_box.h"
#include "ui/images.h"
#include "ui/labels.h"
#include "ui/navigator.h"
#include "ui/picture_button.h"
#include "ui/screen_window.h"

#include <QHeaderView>

namespace contracts {

std::vector<GridColumn> contractsPageColumns() {
    return {
        {QStringLiteral("KKK"), QString(), 64, false},
        {QStringLiteral("KNomer"), QStringLiteral(" Номер контракта"), 120, true},
        {QStringLiteral("KPredmet"), QStringLiteral(" Предмет контракта"), 250, true},
        {QStringLiteral("KObjekt"), QStringLiteral(" Объект"), 250, true},
        {QStringLiteral("KZakaz"), QStringLiteral(" Заказчик"), 250, true},
        {QStringLiteral("KSumma"), QStringLiteral(" Цена контракта"), 120, true},
        {QStringLiteral("KMetka"), QStringLiteral(" Примечания"), 64, false},
        {QStringLiteral("KDate"), QStringLiteral(" Дата контракта"), 120, true},
        {QStringLiteral("KPodr"), QStringLiteral(" Подрядчик"), 150, true},
        {QStringLiteral("KDZakaz"), QStringLiteral(" Должность Заказчика"), 150, true},
        {QStringLiteral("KFZakaz"), QStringLiteral(" ФИО Заказчика"), 150, true},
        {QStringLiteral("KDPodr"), QStringLiteral(" Должность Подрядчика"), 150, true},
        {QStringLiteral("KFPodr"), QStringLiteral(" ФИО Подрядчика"), 150, true},
        {QStringLiteral("KInfo"), QStringLiteral(" Дополнительная информация"), 64, false},
        {QStringLiteral("KDWork"), QStringLiteral(" Дата окончания работ"), 64, false},
        {QStringLiteral("KDHidden"), QStringLiteral(" Скрытые работы"), 64, false},
        {QStringLiteral("KWVS"), QStringLiteral(" Рабочая информация"), 64, false},
    };
}

namespace {

QLabel* olive(QWidget* parent, const char* name, const QString& text, QRect where, int pixels, bool bold = false) {
    return ui::layoutLabel(parent, QString::fromLatin1(name), text, where, ui::verdana(pixels, bold));
}

// Grey Verdana cells, white titles on the accent green, a flat single-line border.
void styleGrid(EditableContractGrid* grid) {
    grid->setFont(ui::verdana(12));
    QPalette cells = grid->palette();
    cells.setColor(QPalette::Text, ui::kGrey);
    grid->setPalette(cells);
    grid->setFrameShape(QFrame::Box);
    grid->setFrameShadow(QFrame::Plain);
    grid->setLineWidth(1);
    grid->horizontalHeader()->setFont(ui::verdana(11));
    grid->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: %1; color: white; padding-left: 1px;"
                       " border: none; border-right: 1px solid %2; border-bottom: 1px solid %2; }")
            .arg(ui::kAccentGreen.name(), ui::kAccentGreen.darker(130).name()));
    QPalette fixed = grid->indicator()->palette();
    fixed.setColor(QPalette::Button, ui::kAccentGreen);
    fixed.setColor(QPalette::ButtonText, Qt::white);
    fixed.setColor(QPalette::Mid, ui::kAccentGreen.darker(130));
    grid->indicator()->setPalette(fixed);
}

}  // namespace

TForm3::TForm3(ui::Navigator& navigator, desktop::Desktop& desktop) : navigator_(navigator) {
    ui::setUpScreenWindow(this, {QStringLiteral("Form3"), QStringLiteral("Страница контрактов"),
                                 QRect(201, 115, 1100, 700), ui::TitleButtons::CloseOnly});
    setFont(ui::tahoma(11));

    olive(this, "lbl2", QStringLiteral("РАБОТА С КОНТРАКТАМИ"), {23, 15, 0, 0}, 16, true);
    olive(this, "lbl1", QStringLiteral("Здесь можно просматривать, редактировать и добавлять контракты"),
          {24, 57, 537, 16}, 13);
    olive(this, "lbl4",
          QStringLiteral("Двойным нажатием на строку контракта вызывается карточка контракта, которую можно "
                         "просмотреть или отредактировать"),
          {24, 97, 897, 16}, 13);
    olive(this, "lbl5",
          QStringLiteral("В цене контракта разделителем между целым числом (рублями) и дробным (копейки) является точка"),
          {80, 129, 897, 16}, 11);
    olive(this, "lbl6",
          QStringLiteral("Даты проставляются исключительно числами, без слова \"года\" или названий месяцев"),
          {80, 153, 897, 16}, 11);
    olive(this, "lbl7", QStringLiteral("Для корректной подготовки писем по шаблонам достаточно заполнить несколько полей"),
          {24, 185, 897, 16}, 13);
    olive(this, "lbl3", QStringLiteral("Таблица контрактов"), {24, 217, 153, 16}, 13);

    dbnvgr1_ = new RecordNavigator(desktop, this);
    dbnvgr1_->setObjectName(QStringLiteral("dbnvgr1"));
    dbnvgr1_->setGeometry(24, 392, 305, 25);

    dbgrd1_ = new EditableContractGrid(desktop, this);
    dbgrd1_->setObjectName(QStringLiteral("dbgrd1"));
    dbgrd1_->setGeometry(24, 240, 1041, 137);
    dbgrd1_->setColumns(contractsPageColumns());
    styleGrid(dbgrd1_);
    connect(dbgrd1_, &ContractGrid::recordDoubleClicked, this, &TForm3::dbgrd1DblClick);

    auto* grp1 = new ui::FramedBox(this);
    grp1->setObjectName(QStringLiteral("grp1"));
    grp1->setGeometry(24, 432, 425, 121);
    grp1->setFont(ui::verdana(13));
    ui::setTextColor(grp1, ui::kOlive);
    grp1->setHeading(olive(grp1, "lbl8", QStringLiteral("  ПОЯСНЕНИЯ К НАВИГАЦИИ ПО ТАБЛИЦЕ КОНТРАКТОВ"), {5, 1, 0, 0}, 13));
    olive(grp1, "lbl11",
          QStringLiteral("Знак \"плюс\". Добавить строку (добавить новый контракт)\n"
                         "Знак \"минус\". Удалить выделенную строку\n"
                         "Знак \"галочка. Принять изменения\n"
                         "Знак \"х\".  Отменить изменения\n"
                         "Знак \"круглая стрелка\". Обновить базу\n"),
          {16, 33, 401, 80}, 13);

    setTabOrder(dbnvgr1_, dbgrd1_);
    setTabOrder(dbgrd1_, grp1);

    struct Tile {
        const char* picture;
        const char* caption;
        QString text;
        int left;
        void (TForm3::*click)();
    };
    const Tile tiles[] = {
        {"img1", "lbl9", QStringLiteral("ГЛАВНАЯ \nСТРАНИЦА"), 24, &TForm3::img1Click},
        {"img6", "lbl16", QStringLiteral("ПЕРЕЙТИ К\nСПИСКУ ПИСЕМ\n"), 224, &TForm3::img6Click},
        {"img3", "lbl13", QStringLiteral("ПОЛУЧИТЬ \nКОНСУЛЬТАЦИЮ"), 448, &TForm3::img3Click},
        {"img4", "lbl14", QStringLiteral("ЗАКАЗАТЬ\nПИСЬМО"), 696, &TForm3::img4Click},
        {"img5", "lbl15", QStringLiteral("ОБРАТНАЯ \nСВЯЗЬ\n"), 920, &TForm3::img5Click},
    };
    for (const Tile& t : tiles) {
        auto* button = new ui::PictureButton(this, QString::fromLatin1(t.picture), ui::picture(ui::Picture::Ring),
                                             {t.left, 603}, QStringLiteral("ДОПЫ"));
        connect(button, &ui::PictureButton::clicked, this, t.click);
        olive(this, t.caption, t.text, {t.left + 48, 608, 0, 0}, 13);
    }
}

void TForm3::setDataModule(TfDM15* module) {
    DataSource* source = module ? &module->ds1 : nullptr;
    dbgrd1_->setDataSource(source);
    dbnvgr1_->setDataSource(source);
}

void TForm3::dbgrd1DblClick() { navigator_.showModal(QStringLiteral("Form5")); }

void TForm3::img1Click() { navigator_.show(QStringLiteral("Form1")); }
void TForm3::img6Click() { navigator_.show(QStringLiteral("Form8")); }
void TForm3::img3Click() { navigator_.show(QStringLiteral("Form61")); }
void TForm3::img4Click() { navigator_.show(QStringLiteral("Form62")); }
void TForm3::img5Click() { navigator_.show(QStringLiteral("Form63")); }

}  // namespace contracts
