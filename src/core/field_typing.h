#pragma once
// Typing into the date fields and the fields with decimals of every dialog, as a user of a German
// program types: "16.08.2026" into a date field, "51.36" or "51,36" into a price.

class QDateEdit;
class QDoubleSpinBox;

// A date field takes a whole date typed from the moment it has the focus: the day section (the
// first of day, month and year in the field's format) is selected on focus, digits fill the
// selected section, a section moves on when it is full or when a separator (".", ",", "/", "-",
// " ") is typed, and a year of one or two digits is a year of this century (of the last one when
// it would lie more than 20 years ahead). What the field shows is at every moment the date it
// gives.
void typeDatesWhole(QDateEdit* edit);

// In a field with decimals a typed "." is the decimal comma: nobody types thousands separators
// there.
void typePointAsComma(QDoubleSpinBox* spin);

// The year of a one- or two-digit year typed on `today`.
int yearOfTwoDigits(int twoDigits, int currentYear);
