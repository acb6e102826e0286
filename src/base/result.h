#pragma once

#include <optional>
#include <string>
#include <utility>

namespace ostrel {

// Outcome of an operation that can fail for a reason a user or a script may need to read.
// The reason is plain UTF-8 text: what failed and where ("line 23: no '='").
class Status {
public:
    static Status Ok() { return Status(); }
    static Status Failure(std::string reason) { return Status(std::move(reason)); }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const std::string& reason() const { return m_reason; }

private:
    Status() = default;
    explicit Status(std::string reason) : m_failed(true), m_reason(std::move(reason)) {}

    bool m_failed = false;
    std::string m_reason;
};

// A value or the reason there is none (the toolchain has no std::expected).
template <class T>
class Result {
public:
    Result(T value) : m_value(std::move(value)) {}  // NOLINT: implicit on purpose, like expected
    static Result Failure(std::string reason) { return Result(std::move(reason), 0); }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const std::string& reason() const { return m_reason; }

    T& value() { return *m_value; }
    const T& value() const { return *m_value; }
    T* operator->() { return &*m_value; }
    const T* operator->() const { return &*m_value; }
    T& operator*() { return *m_value; }
    const T& operator*() const { return *m_value; }

private:
    Result(std::string reason, int) : m_reason(std::move(reason)) {}

    std::optional<T> m_value;
    std::string m_reason;
};

}  // namespace ostrel
