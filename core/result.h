#pragma once
// A value or the French description of why it could not be had.
//
// Pure routines never open a message box: a failure travels back to the
// window as the text that the window shows, naming the field or file.

#include <QString>

#include <optional>
#include <utility>

namespace ce {

template <typename T>
class Result {
public:
    static Result success(T value) { return Result(std::move(value), QString()); }
    static Result failure(QString message) { return Result(std::nullopt, std::move(message)); }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return *value_; }
    T& value() { return *value_; }
    const T& operator*() const { return *value_; }
    const T* operator->() const { return &*value_; }
    const QString& error() const { return error_; }

private:
    Result(std::optional<T> value, QString error) : value_(std::move(value)), error_(std::move(error)) {}
    std::optional<T> value_;
    QString error_;
};

// For operations that return nothing but may fail.
struct Done {};
using Status = Result<Done>;
inline Status succeeded() { return Status::success(Done{}); }

}  // namespace ce
