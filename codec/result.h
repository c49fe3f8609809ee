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

    // Carries a failure over to a result of another type.
    template <typename U>
    Result<U> failAs() const { return Result<U>::Fail(error_); }

private:
    Result(std::optional<T> v, std::string e) : value_(std::move(v)), error_(std::move(e)) {}
    std::optional<T> value_;
    std::string error_;
};

} // namespace codec
