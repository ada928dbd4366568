#include "core/field_typing.h"

#include <QApplication>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>
#include <array>

namespace {

bool isSeparator(const QString& text) {
    return text == u"." || text == u"," || text == u"/" || text == u"-" || text == u" ";
}

class DateTyping final : public QObject {
public:
    explicit DateTyping(QDateEdit* edit) : QObject(edit), m_edit(edit) { readSections(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_edit) return false;
        switch (event->type()) {
        case QEvent::FocusIn: {
            // Qt's own focus handling first (it selects a section of its choice), then ours.
            static_cast<QObject*>(m_edit)->event(event);
            if (m_order.empty()) return true;
            start();
            return true;
        }
        case QEvent::FocusOut:
            m_digits.clear();
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::Wheel:
            // The user points at a section: what he types next starts there.
            m_digits.clear();
            m_typing = false;
            return false;
        case QEvent::KeyPress:
            return keyPress(static_cast<QKeyEvent*>(event));
        default:
            return false;
        }
    }

private:
    struct Section {
        QDateTimeEdit::Section section;
        int index; // its position among the sections of the display format
    };

    void readSections() {
        // Day, month and year in the order of the display format; of a section that stands twice
        // ("dddd, d. MMMM yyyy": the weekday and the day) the last one is the one typed into.
        for (int i = 0; i < m_edit->sectionCount(); ++i) {
            const QDateTimeEdit::Section s = m_edit->sectionAt(i);
            if (s != QDateTimeEdit::DaySection && s != QDateTimeEdit::MonthSection && s != QDateTimeEdit::YearSection)
                continue;
            auto known = std::find_if(m_order.begin(), m_order.end(), [s](const Section& o) { return o.section == s; });
            if (known != m_order.end())
                known->index = i;
            else
                m_order.push_back({s, i});
        }
    }

    void start() {
        m_position = 0;
        m_digits.clear();
        m_typing = true;
        const QDate shown = m_edit->date();
        m_day = shown.day();
        m_month = shown.month();
        m_year = shown.year();
        selectCurrent();
    }

    void selectCurrent() {
        m_edit->setCurrentSectionIndex(m_order[m_position].index);
        m_edit->setSelectedSection(m_order[m_position].section);
    }

    bool keyPress(QKeyEvent* key) {
        const QString text = key->text();
        const bool digit = text.size() == 1 && text[0].isDigit();
        if (m_order.empty() || key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
        if (!digit && !isSeparator(text)) {
            // Arrows, Backspace and the rest are Qt's; typing starts anew from the section then chosen.
            m_digits.clear();
            m_typing = false;
            return false;
        }
        if (!m_typing) takeSectionFromWidget();
        if (digit) {
            m_digits += text;
            apply();
            if (sectionFull()) moveOn();
        } else if (!m_digits.isEmpty()) {
            moveOn(); // a separator right after a section that moved on by itself is swallowed
        }
        selectCurrent();
        return true;
    }

    void takeSectionFromWidget() {
        const QDateTimeEdit::Section current = m_edit->currentSection();
        m_position = 0;
        for (std::size_t i = 0; i < m_order.size(); ++i)
            if (m_order[i].section == current) m_position = i;
        const QDate shown = m_edit->date();
        m_day = shown.day();
        m_month = shown.month();
        m_year = shown.year();
        m_digits.clear();
        m_typing = true;
    }

    bool sectionFull() const {
        const int value = m_digits.toInt();
        switch (m_order[m_position].section) {
        case QDateTimeEdit::DaySection:
            return m_digits.size() >= 2 || value > 3; // no day begins with 4 or more
        case QDateTimeEdit::MonthSection:
            return m_digits.size() >= 2 || value > 1;
        default:
            return m_digits.size() >= 4;
        }
    }

    void moveOn() {
        m_digits.clear();
        if (m_position + 1 < m_order.size()) ++m_position;
    }

    // The digits typed so far into the current section, and the date they give.
    void apply() {
        const int value = m_digits.toInt();
        switch (m_order[m_position].section) {
        case QDateTimeEdit::DaySection:
            if (value >= 1 && value <= 31) m_day = value;
            break;
        case QDateTimeEdit::MonthSection:
            if (value >= 1 && value <= 12) m_month = value;
            break;
        default:
            if (m_digits.size() <= 2)
                m_year = yearOfTwoDigits(value, QDate::currentDate().year());
            else if (m_digits.size() == 4)
                m_year = value;
            break; // three digits: the year is not yet told
        }
        // A day the month lacks (31 while the month is still February) waits for its month; the
        // field shows the month's last day meanwhile.
        const QDate first(m_year, m_month, 1);
        if (!first.isValid()) return;
        const QDate date(m_year, m_month, std::min(m_day, first.daysInMonth()));
        if (date >= m_edit->minimumDate() && date <= m_edit->maximumDate()) m_edit->setDate(date);
    }

    QDateEdit* m_edit;
    std::vector<Section> m_order;
    std::size_t m_position = 0;
    QString m_digits;
    bool m_typing = false;
    int m_day = 1, m_month = 1, m_year = 2000;
};

class PointAsComma final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->text() != u".") return false;
        QKeyEvent comma(QEvent::KeyPress, Qt::Key_Comma, key->modifiers() & ~Qt::KeypadModifier, QStringLiteral(","),
                        key->isAutoRepeat(), static_cast<ushort>(key->count()));
        QCoreApplication::sendEvent(watched, &comma);
        return true;
    }
};

} // namespace

int yearOfTwoDigits(int twoDigits, int currentYear) {
    const int century = currentYear / 100 * 100;
    const int year = century + twoDigits;
    return year > currentYear + 20 ? year - 100 : year;
}

void typeDatesWhole(QDateEdit* edit) {
    edit->installEventFilter(new DateTyping(edit));
}

void typePointAsComma(QDoubleSpinBox* spin) {
    spin->installEventFilter(new PointAsComma(spin));
}
