#pragma once
// The fields the two other-cost dialogs (TForm5 and TForm13) have in common: what they deliver
// to the rules, which widget a refused input puts the focus into, and their "OK".

#include "core/dialog_keys.h"
#include "core/prompts.h"
#include "core/refresh.h"
#include "records/fuel_entry.h"
#include "records/other_cost_entry.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSpinBox>

template <class Form>
OtherCostInput otherCostInputOf(const Form& ui) {
    OtherCostInput in;
    in.date = ui.dateEdit->date();
    in.odometer = ui.odometerSpinBox->cleanText();
    in.price = ui.priceSpinBox->cleanText();
    in.text = ui.textLineEdit->text();
    in.service = ui.serviceCheckBox->isChecked();
    return in;
}

template <class Form>
QWidget* otherCostFieldOf(const Form& ui, OtherCostField field) {
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

// "OK" of both dialogs: the checks in their order (a refused input is said and its field gets the
// focus; false), then `store` puts the record into CostTable, the main window shows it, the table
// is saved, and a completed service may move the next service date (true).
template <class Form, class Store>
bool storeOtherCost(const Form& ui, AppState& state, Prompts& prompts, MainWindowRefresh& refresh, Store store) {
    ui.odometerSpinBox->interpretText();
    ui.priceSpinBox->interpretText();
    const OtherCostInput in = otherCostInputOf(ui);
    if (const auto error = checkOtherCostInput(in)) {
        prompts.error(error->message);
        focusForCorrection(otherCostFieldOf(ui, error->focus));
        return false;
    }
    store(state, in);
    refresh.UpdateListe();
    refresh.UpdateDisplay();
    if (const auto failure = saveCostTable(state)) prompts.error(*failure);
    if (in.service && prompts.question(kServiceQuestion)) {
        if (const auto failure = rescheduleService(state.VehicleTable, in.date, in.odometer)) prompts.error(*failure);
    }
    return true;
}
