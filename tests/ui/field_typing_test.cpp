// Dates and amounts typed into the real dialogs as a person types them: the field focused with Tab
// or Shift+Tab, then the keys.
#include "support/window_fixture.h"

#include "appointments/appointment_dialog.h"
#include "appointments/appointments_panel.h"
#include "core/field_typing.h"
#include "records/fuel_entry_dialog.h"
#include "records/other_cost_entry_dialog.h"
#include "store/code_page.h"
#include "ui_appointment_dialog.h"
#include "ui_fuel_entry_dialog.h"
#include "ui_other_cost_entry_dialog.h"
#include "ui_vehicle_dialog.h"
#include "vehicles/vehicle_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

bool takesTabFocus(const QWidget* w) {
    return (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisible() && !w->focusProxy();
}

// Puts the focus on the field before `target` in the tab order and presses Tab (or on the one after
// it and presses Shift+Tab), as a person reaches the field with the keyboard.
void focusWithKey(QWidget* target, bool backwards) {
    QWidget* from = backwards ? target->nextInFocusChain() : target->previousInFocusChain();
    while (from != target && !takesTabFocus(from))
        from = backwards ? from->nextInFocusChain() : from->previousInFocusChain();
    from->setFocus(backwards ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    QTest::keyClick(from, Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
}

void show(QDialog& d) {
    d.show();
    d.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
}

struct DateCase {
    const char* name;
    const char* typed;
    bool backwards;
    QDate expected;
};

class DateTyped : public testing::TestWithParam<DateCase>, public MainWindowFixture {};

TEST_P(DateTyped, InTheFuelEntryDialogGivesExactlyThatDate) {
    withSampleData();
    start();
    TForm3& d = window->records().fuelEntry();
    d.prepare();
    show(d);
    QDateEdit* date = d.ui().dateEdit;
    focusWithKey(date, GetParam().backwards);
    ASSERT_EQ(QApplication::focusWidget(), date);
    QTest::keyClicks(date, QString::fromUtf8(GetParam().typed));
    EXPECT_EQ(date->date(), GetParam().expected);
    d.hide();
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DateTyped,
    testing::Values(DateCase{"with_dots_after_tab", "16.08.2026", false, QDate(2026, 8, 16)},
                    DateCase{"with_dots_after_shift_tab", "16.08.2026", true, QDate(2026, 8, 16)},
                    DateCase{"without_dots", "16082026", false, QDate(2026, 8, 16)},
                    DateCase{"single_digits_with_dots", "3.2.2025", false, QDate(2025, 2, 3)},
                    DateCase{"day_that_waits_for_its_month", "31.03.2026", true, QDate(2026, 3, 31)},
                    DateCase{"two_digit_year", "16.08.26", false, QDate(2026, 8, 16)},
                    DateCase{"two_digit_year_of_the_last_century", "24.12.99", false, QDate(1999, 12, 24)},
                    DateCase{"other_separators", "1/2-2024", false, QDate(2024, 2, 1)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TwoDigitYears, BelongToThisCenturyUnlessMoreThanTwentyYearsAhead) {
    EXPECT_EQ(yearOfTwoDigits(26, 2026), 2026);
    EXPECT_EQ(yearOfTwoDigits(46, 2026), 2046);
    EXPECT_EQ(yearOfTwoDigits(47, 2026), 1947);
    EXPECT_EQ(yearOfTwoDigits(0, 2026), 2000);
    EXPECT_EQ(yearOfTwoDigits(5, 2090), 2005);
}

class FieldTyping : public testing::Test, public MainWindowFixture {};

TEST_F(FieldTyping, VehicleDialogStoresTheTypedDateAndMonth) {
    withSampleData();
    start();
    TForm26& d = window->vehicles().vehicleDialog();
    d.prepare(true);
    show(d);
    Ui::TForm26& u = d.ui();
    focusWithKey(u.purchaseDateEdit, false);
    QTest::keyClicks(u.purchaseDateEdit, QStringLiteral("15.08.2026"));
    EXPECT_EQ(u.purchaseDateEdit->date(), QDate(2026, 8, 15));
    u.tabWidget->setCurrentWidget(u.huDateEdit->parentWidget()); // where the month fields are
    u.huDateEdit->setFocus(Qt::MouseFocusReason);                // the purchase date is left: written back
    EXPECT_EQ(window->state().VehicleTable.GetValue("kdatum"), "15.08.2026");

    focusWithKey(u.huDateEdit, true);
    QTest::keyClicks(u.huDateEdit, QStringLiteral("08.2027"));
    u.auDateEdit->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(window->state().VehicleTable.GetValue("tuev"), "08.2027");
    d.hide();
}

TEST_F(FieldTyping, AppointmentDateWithNamesTakesTheNumbersTyped) {
    withSampleData();
    start();
    TForm26& vehicles = window->vehicles().vehicleDialog();
    vehicles.prepare(true);
    TForm28& d = vehicles.appointments().appointmentDialog();
    d.setWindowTitle(kNewAppointmentCaption);
    d.prepare();
    show(d);
    focusWithKey(d.ui().dateEdit, false);
    QTest::keyClicks(d.ui().dateEdit, QStringLiteral("07.09.2026"));
    EXPECT_EQ(d.ui().dateEdit->date(), QDate(2026, 9, 7));
    d.hide();
}

TEST_F(FieldTyping, APointInAnAmountIsTheDecimalComma) {
    withSampleData();
    start();
    TForm3& d = window->records().fuelEntry();
    d.prepare();
    show(d);
    for (QDoubleSpinBox* spin : {d.ui().priceSpinBox, d.ui().quantitySpinBox}) {
        focusWithKey(spin, false);
        ASSERT_EQ(QApplication::focusWidget(), spin);
        QTest::keyClicks(spin, QStringLiteral("51.36"));
        EXPECT_DOUBLE_EQ(spin->value(), 51.36) << spin->objectName().toStdString();
    }
    d.hide();
}

TEST_F(FieldTyping, APointInAnOtherCostIsTheDecimalComma) {
    withSampleData();
    start();
    TForm5& d = window->records().otherCostEntry();
    d.prepare();
    show(d);
    focusWithKey(d.ui().priceSpinBox, true);
    QTest::keyClicks(d.ui().priceSpinBox, QStringLiteral("1234.5"));
    EXPECT_DOUBLE_EQ(d.ui().priceSpinBox->value(), 1234.5);
    EXPECT_EQ(d.ui().priceSpinBox->text(), QString::fromUtf8("1234,5 €"));
    d.hide();
}

} // namespace

namespace {

// Pasted control characters never reach a table: the reader would stop at a Ctrl-Z.
TEST_F(FieldTyping, PastedControlCharactersAreNotStored) {
    withSampleData();
    start();
    QApplication::clipboard()->setText(QString::fromUtf8("Zahn\x1a"
                                                         "riemen\t\x01neu"));
    TForm5& d = window->records().otherCostEntry();
    d.prepare();
    show(d);
    d.ui().dateEdit->setDate(QDate(2026, 2, 1));
    d.ui().odometerSpinBox->setValue(10200);
    d.ui().priceSpinBox->setValue(99.9);
    d.ui().textLineEdit->setFocus();
    QTest::keyClick(d.ui().textLineEdit, Qt::Key_V, Qt::ControlModifier);
    ASSERT_TRUE(d.ui().textLineEdit->text().contains(QChar(0x1a))); // the field holds what was pasted
    QTest::mouseClick(d.ui().okButton, Qt::LeftButton);
    ASSERT_FALSE(d.isVisible());
    EXPECT_EQ(file("kfzdat.002").find('\x1a'), std::string::npos);
    EXPECT_NE(file("kfzdat.002").find(";s;Zahnriemenneu;"), std::string::npos);

    TForm26& v = window->vehicles().vehicleDialog();
    v.prepare(true);
    show(v);
    Ui::TForm26& u = v.ui();
    QApplication::clipboard()->setText(QString::fromUtf8("Zeile 1\x1a\nZeile\x02 2"));
    u.tabWidget->setCurrentWidget(u.remarkPlainTextEdit->parentWidget());
    u.remarkPlainTextEdit->setFocus();
    u.remarkPlainTextEdit->selectAll();
    QTest::keyClick(u.remarkPlainTextEdit, Qt::Key_V, Qt::ControlModifier);
    u.tabWidget->setCurrentIndex(0);
    u.nameLineEdit->setFocus(Qt::MouseFocusReason); // the remark is left: written back
    EXPECT_EQ(window->state().VehicleTable.GetValue("bemerk1"), "Zeile 1\r\nZeile 2");
    v.hide();
}

} // namespace
