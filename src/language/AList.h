// The language manager's growable list of pointers. It never owns what its
// pointers point to.
#pragma once

#include <algorithm>
#include <memory>

template <typename T>
class AList {
public:
    // Raised for an index outside 0 to Count() - 1: a programming error.
    class AList_Exception {
    public:
        explicit AList_Exception(int index) : index_(index) {}
        int Index() const { return index_; }

    private:
        int index_;
    };

    // A full list grows by `growthStep` entries, or doubles when `doubling` is set.
    explicit AList(int capacity = 16, int growthStep = 16, bool doubling = false)
        : capacity_(std::max(capacity, 1)),
          items_(std::make_unique<T*[]>(capacity_)),
          growthStep_(std::max(growthStep, 1)),
          doubling_(doubling) {}

    AList(const AList&) = delete;
    AList& operator=(const AList&) = delete;

    void Add(T* item) {
        if (count_ == capacity_) Grow();
        items_[count_++] = item;
    }

    T* operator[](int index) const {
        if (index < 0 || index >= count_) throw AList_Exception(index);
        return items_[index];
    }

    int Count() const { return count_; }
    int Capacity() const { return capacity_; }

private:
    void Grow() {
        const int capacity = doubling_ ? capacity_ * 2 : capacity_ + growthStep_;
        auto items = std::make_unique<T*[]>(capacity);
        std::copy(items_.get(), items_.get() + count_, items.get());
        items_ = std::move(items);
        capacity_ = capacity;
    }

    int capacity_;
    int count_ = 0;
    std::unique_ptr<T*[]> items_;
    int growthStep_;
    bool doubling_;
};
