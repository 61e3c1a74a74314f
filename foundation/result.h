#pragma once

#include <QString>

#include <utility>

// The outcome of an operation that can fail, such as a write to a data file.
// A failure carries a message for the operator (Chinese, naming the file and
// the reason). Core code returns these; only windows show them.
class [[nodiscard]] Result {
public:
    static Result success() { return Result(true, {}); }
    static Result failure(QString message) { return Result(false, std::move(message)); }

    bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    // Empty on success.
    const QString &message() const { return m_message; }

private:
    Result(bool ok, QString message) : m_ok(ok), m_message(std::move(message)) {}

    bool m_ok;
    QString m_message;
};
