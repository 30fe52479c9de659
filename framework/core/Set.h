#pragma once
// A set of enumeration values, the framework's "set of" type: up to 64 members, value semantics.

#include <cstdint>
#include <initializer_list>

namespace dsp {

template <typename E>
class Set {
public:
    constexpr Set() = default;
    constexpr Set(std::initializer_list<E> items) {
        for (E e : items) bits_ |= Bit(e);
    }

    static constexpr Set FromBits(std::uint64_t bits) {
        Set s;
        s.bits_ = bits;
        return s;
    }
    constexpr std::uint64_t Bits() const { return bits_; }

    constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr Set& Include(E e) {
        bits_ |= Bit(e);
        return *this;
    }
    constexpr Set& Exclude(E e) {
        bits_ &= ~Bit(e);
        return *this;
    }

    constexpr Set operator+(Set o) const { return FromBits(bits_ | o.bits_); }
    constexpr Set operator-(Set o) const { return FromBits(bits_ & ~o.bits_); }
    constexpr Set operator*(Set o) const { return FromBits(bits_ & o.bits_); }
    constexpr Set& operator+=(Set o) {
        bits_ |= o.bits_;
        return *this;
    }
    constexpr Set& operator-=(Set o) {
        bits_ &= ~o.bits_;
        return *this;
    }
    constexpr Set& operator*=(Set o) {
        bits_ &= o.bits_;
        return *this;
    }
    constexpr bool operator==(const Set&) const = default;
    // Subset test, as the framework's "<=" on sets.
    constexpr bool operator<=(Set o) const { return (bits_ & ~o.bits_) == 0; }

private:
    static constexpr std::uint64_t Bit(E e) { return std::uint64_t{1} << static_cast<unsigned>(e); }
    std::uint64_t bits_ = 0;
};

}  // namespace dsp
