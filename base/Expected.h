#pragma once
// A value or the failure that kept it from being made, in the style of C++23's std::expected:
// what I/O and the other operations that may fail return, so that the caller must look at
// the outcome (it cannot be dropped unread) and need not catch.
#include <optional>
#include <utility>
#include <variant>

template <typename E>
struct Unexpected {
    E error;
};
template <typename E>
Unexpected<std::decay_t<E>> unexpected(E &&error)
{
    return {std::forward<E>(error)};
}

template <typename T, typename E>
class [[nodiscard]] Expected {
public:
    Expected(T value) : state(std::in_place_index<0>, std::move(value)) {}
    Expected(Unexpected<E> failure) : state(std::in_place_index<1>, std::move(failure.error)) {}

    bool has_value() const { return state.index() == 0; }
    explicit operator bool() const { return has_value(); }
    T &value() & { return std::get<0>(state); }
    const T &value() const & { return std::get<0>(state); }
    T &&value() && { return std::get<0>(std::move(state)); }
    T &operator*() & { return value(); }
    const T &operator*() const & { return value(); }
    T *operator->() { return &value(); }
    const T *operator->() const { return &value(); }
    const E &error() const { return std::get<1>(state); }
    template <typename U>
    T value_or(U &&otherwise) const { return has_value() ? value() : T(std::forward<U>(otherwise)); }

private:
    std::variant<T, E> state;
};

template <typename E>
class [[nodiscard]] Expected<void, E> {
public:
    Expected() = default;
    Expected(Unexpected<E> failure) : failure(std::move(failure.error)) {}

    bool has_value() const { return !failure; }
    explicit operator bool() const { return has_value(); }
    const E &error() const { return *failure; }

private:
    std::optional<E> failure;
};
