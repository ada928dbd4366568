#pragma once
// The fields the two other-cost dialogs (TForm5 and TForm13) have in common: what they deliver
// to the rules, and which widget a refused input puts the focus into.

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
