#pragma once
// The clock seam: today and now come from here, so tests can fix the date.

#include <QDate>
#include <QDateTime>

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    QDate today() const override { return QDate::currentDate(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime at) : m_at(std::move(at)) {}
    QDate today() const override { return m_at.date(); }
    QDateTime now() const override { return m_at; }
    void set(QDateTime at) { m_at = std::move(at); }

private:
    QDateTime m_at;
};
