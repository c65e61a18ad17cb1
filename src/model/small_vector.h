#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <type_traits>

namespace tess {

// A growable array of trivially copyable values that keeps up to N of them inline,
// so the common small case costs no heap allocation. Used for per-vertex texture
// coordinates, where nearly every model has one or two sets.
template <class T, std::size_t N>
class SmallVector {
    static_assert(std::is_trivially_copyable_v<T>, "SmallVector holds plain values only");
    static_assert(N > 0);

public:
    SmallVector() = default;
    SmallVector(std::initializer_list<T> values) {
        for (const T& v : values) push_back(v);
    }
    SmallVector(const SmallVector& other) { assign(other); }
    SmallVector(SmallVector&& other) noexcept { take(other); }
    SmallVector& operator=(const SmallVector& other) {
        if (this != &other) {
            size_ = 0;
            assign(other);
        }
        return *this;
    }
    SmallVector& operator=(SmallVector&& other) noexcept {
        if (this != &other) {
            release();
            take(other);
        }
        return *this;
    }
    ~SmallVector() { release(); }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    bool onHeap() const { return capacity_ > N; }

    T* data() { return onHeap() ? heap_ : inline_; }
    const T* data() const { return onHeap() ? heap_ : inline_; }
    T& operator[](std::size_t i) { return data()[i]; }
    const T& operator[](std::size_t i) const { return data()[i]; }
    T* begin() { return data(); }
    T* end() { return data() + size_; }
    const T* begin() const { return data(); }
    const T* end() const { return data() + size_; }

    void push_back(const T& value) {
        if (size_ == capacity_) grow(capacity_ * 2);
        data()[size_++] = value;
    }
    void clear() { size_ = 0; }
    // Shrinks or grows to `count` entries; new entries are value-initialised.
    void resize(std::size_t count) {
        if (count > capacity_) grow(count);
        for (std::size_t i = size_; i < count; ++i) data()[i] = T{};
        size_ = static_cast<std::uint32_t>(count);
    }
    void erase(std::size_t index) {
        T* d = data();
        std::memmove(d + index, d + index + 1, (size_ - index - 1) * sizeof(T));
        --size_;
    }

    friend bool operator==(const SmallVector& a, const SmallVector& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

private:
    void grow(std::size_t capacity) {
        T* bigger = new T[capacity];
        std::memcpy(bigger, data(), size_ * sizeof(T));
        release();
        heap_ = bigger;
        capacity_ = static_cast<std::uint32_t>(capacity);
    }
    void release() {
        if (onHeap()) delete[] heap_;
        capacity_ = N;
    }
    void assign(const SmallVector& other) {
        if (other.size_ > capacity_) grow(other.size_);
        std::memcpy(data(), other.data(), other.size_ * sizeof(T));
        size_ = other.size_;
    }
    void take(SmallVector& other) {
        if (other.onHeap()) {
            heap_ = other.heap_;
            capacity_ = other.capacity_;
            other.capacity_ = N;
        } else {
            std::memcpy(inline_, other.inline_, other.size_ * sizeof(T));
            capacity_ = N;
        }
        size_ = other.size_;
        other.size_ = 0;
    }

    union {
        T inline_[N]{};
        T* heap_;
    };
    std::uint32_t size_ = 0;
    std::uint32_t capacity_ = N;
};

}  // namespace tess
