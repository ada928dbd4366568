#pragma once
// What the four record dialogs share: what their fields deliver to the rules, which widget a
// refused input puts the focus into, their "OK" and their "Löschen". The fuel dialogs are TForm3
// and TForm9, the other-cost dialogs TForm5 and TForm13.

#include "core/dialog_keys.h"
#include "core/prompts.h"
#include "core/refresh.h"
#include "core/vehicle_table.h"
#include "records/cost_records.h"
#include "records/fuel_edit.h"
#include "records/fuel_entry.h"
#include "records/other_cost_entry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSpinBox>

#include <algorithm>

// After a record was stored or removed: the main window shows the records, then the table is
// saved (a failed save is said; the change stays in memory).
inline void showAndSaveRecords(AppState& state, Prompts& prompts, MainWindowRefresh& refresh) {
    refresh.UpdateListe();
    refresh.UpdateDisplay();
    if (const auto failure = saveCostTable(state)) prompts.error(*failure);
}

template <class Form> FuelInput fuelInputOf(const Form& ui) {
    FuelInput in;
    in.date = ui.dateEdit->date();
    in.odometer = ui.odometerSpinBox->cleanText();
    in.price = ui.priceSpinBox->cleanText();
    in.quantity = ui.quantitySpinBox->cleanText();
    in.full = ui.fullCheckBox->isChecked();
    if constexpr (requires { ui.fuelTypeComboBox; }) in.fuelIndex = std::max(ui.fuelTypeComboBox->currentIndex(), 0);
    return in;
}

template <class Form> QWidget* fuelFieldOf(const Form& ui, FuelField field) {
    switch (field) {
    case FuelField::Date:
        return ui.dateEdit;
    case FuelField::Price:
        return ui.priceSpinBox;
    case FuelField::Quantity:
        return ui.quantitySpinBox;
    case FuelField::Full:
        return ui.fullCheckBox;
    case FuelField::FuelType:
        if constexpr (requires { ui.fuelTypeComboBox; }) return ui.fuelTypeComboBox;
        break;
    case FuelField::Odometer:
        break;
    }
    return ui.odometerSpinBox;
}

// Whether a new record is entered (the entry dialogs) or a stored one corrected (the editing ones):
// only a new one is asked about when the same record is stored already.
enum class RecordEntry { New, Correction };

// "OK" of both fuel dialogs: `check` runs the checks in their order (a refused input is said and
// its field gets the focus; false), a new fill-up that is stored already is stored again only after
// Yes, then `store` puts the record into CostTable, the main window shows it and the table is saved
// (true).
template <class Form, class Check, class Store>
bool storeFuelRecord(const Form& ui, AppState& state, Prompts& prompts, MainWindowRefresh& refresh, RecordEntry entry,
                     Check check, Store store) {
    ui.odometerSpinBox->interpretText();
    ui.priceSpinBox->interpretText();
    ui.quantitySpinBox->interpretText();
    const FuelInput in = fuelInputOf(ui);
    if (const auto error = check(state, in)) {
        prompts.error(error->message);
        focusForCorrection(fuelFieldOf(ui, error->focus));
        return false;
    }
    if (entry == RecordEntry::New && isStoredFillUp(state.CostTable, in) && !prompts.question(kDuplicateFuelQuestion))
        return false;
    store(state, in);
    showAndSaveRecords(state, prompts, refresh);
    return true;
}

template <class Form> OtherCostInput otherCostInputOf(const Form& ui) {
    OtherCostInput in;
    in.date = ui.dateEdit->date();
    in.odometer = ui.odometerSpinBox->cleanText();
    in.price = ui.priceSpinBox->cleanText();
    in.text = ui.textLineEdit->text();
    in.service = ui.serviceCheckBox->isChecked();
    return in;
}

template <class Form> QWidget* otherCostFieldOf(const Form& ui, OtherCostField field) {
    switch (field) {
    case OtherCostField::Date:
        return ui.dateEdit;
    case OtherCostField::Price:
        return ui.priceSpinBox;
    case OtherCostField::Text:
        return ui.textLineEdit;
    case OtherCostField::Service:
        return ui.serviceCheckBox;
    case OtherCostField::Odometer:
        break;
    }
    return ui.odometerSpinBox;
}

// "OK" of both other-cost dialogs: the checks in their order (a refused input is said and its field
// gets the focus; false), a new cost that is stored already is stored again only after Yes, then
// `store` puts the record into CostTable, the main window shows it, the table is saved, and a
// completed service may move the next service date (true).
template <class Form, class Store>
bool storeOtherCost(const Form& ui, AppState& state, Prompts& prompts, MainWindowRefresh& refresh, RecordEntry entry,
                    Store store) {
    ui.odometerSpinBox->interpretText();
    ui.priceSpinBox->interpretText();
    const OtherCostInput in = otherCostInputOf(ui);
    if (const auto error = checkOtherCostInput(in)) {
        prompts.error(error->message);
        focusForCorrection(otherCostFieldOf(ui, error->focus));
        return false;
    }
    if (entry == RecordEntry::New && isStoredOtherCost(state.CostTable, in) &&
        !prompts.question(kDuplicateOtherCostQuestion))
        return false;
    store(state, in);
    showAndSaveRecords(state, prompts, refresh);
    if (in.service && prompts.question(kServiceQuestion)) {
        if (const auto failure = rescheduleService(state.VehicleTable, in.date, in.odometer)) {
            prompts.error(*failure);
        } else {
            // The master row changed: saved at once, as every change of a table, and the panel
            // shows the next service.
            if (const auto saveFailure = saveVehicleTable(state)) prompts.error(*saveFailure);
            refresh.UpdateDisplay();
        }
    }
    return true;
}

// "Löschen" of both editing dialogs: after Yes to the question the record at the cursor goes, the
// main window shows the rest and the table is saved (true).
inline bool deleteShownRecord(AppState& state, Prompts& prompts, MainWindowRefresh& refresh) {
    if (!prompts.ConfirmDialog(kDeleteRecordTitle, kDeleteRecordInstruction, kDeleteRecordMessage)) return false;
    deleteCurrentRecord(state);
    showAndSaveRecords(state, prompts, refresh);
    return true;
}
