#pragma once

#include <optional>
#include <string>
#include <utility>

namespace codec {

// A conversion outcome: the value, or the message the user is shown.
// Failing a conversion is an ordinary result, never an exception.
template <typename T>
class Result {
public:
    static Result Ok(T value) { return Result(std::move(value), {}); }
    static Result Fail(std::string message) { return Result(std::nullopt, std::move(message)); }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return *value_; }
    const T& operator*() const { return *value_; }
    const T* operator->() const { return &*value_; }
    const std::string& error() const { return error_; }
    // Hands the value over, for values that can only be moved.
    T take() { return std::move(*value_); }

    // Carries a failure over to a result of another type.
    template <typename U>
    Result<U> failAs() const { return Result<U>::Fail(error_); }

private:
    Result(std::optional<T> v, std::string e) : value_(std::move(v)), error_(std::move(e)) {}
    std::optional<T> value_;
    std::string error_;
};

// An operation that yields nothing but can fail: Ok(), or the message.
template <>
class Result<void> {
public:
    static Result Ok() { return Result(false, {}); }
    static Result Fail(std::string message) { return Result(true, std::move(message)); }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const std::string& error() const { return error_; }

    template <typename U>
    Result<U> failAs() const { return Result<U>::Fail(error_); }

private:
    Result(bool failed, std::string e) : failed_(failed), error_(std::move(e)) {}
    bool failed_;
    std::string error_;
};

} // namespace codec
