#pragma once

#include <cstddef>
#include <cstdlib>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <span>
#include <vector>

// Floats in one block of memory whose pages are not touched until written. A block of
// megabytes asks the system for large pages: a model of millions of cells then costs a
// few page faults instead of thousands (each several microseconds on a virtual machine).
struct FreeFloats {
    void operator()(float* values) const { std::free(values); }
};
using FloatBlock = std::unique_ptr<float[], FreeFloats>;
FloatBlock AllocateFloats(std::size_t count);

// A value per cell, rows from the top and each row from the left, in one contiguous
// block. It reads like a vector of rows: values[row][column], size() rows,
// values[row].size() columns, a range-for over the rows (each a std::span).
class ValueGrid {
public:
    ValueGrid() = default;
    ValueGrid(std::size_t rows, std::size_t columns, float value = 0.0f);
    // Rows of equal length (std::invalid_argument otherwise).
    ValueGrid(std::initializer_list<std::vector<float>> rows);
    ValueGrid(const std::vector<std::vector<float>>& rows); // NOLINT: reads as rows
    // Values not yet set: every one must be written before it is read.
    static ValueGrid Uninitialized(std::size_t rows, std::size_t columns);

    ValueGrid(const ValueGrid& other);
    ValueGrid& operator=(const ValueGrid& other);
    ValueGrid(ValueGrid&&) noexcept = default;
    ValueGrid& operator=(ValueGrid&&) noexcept = default;

    std::size_t size() const { return rows_; }
    bool empty() const { return rows_ == 0; }
    std::size_t columns() const { return columns_; }
    std::span<float> operator[](std::size_t row) {
        return {data_.get() + row * columns_, columns_};
    }
    std::span<const float> operator[](std::size_t row) const {
        return {data_.get() + row * columns_, columns_};
    }
    float* data() { return data_.get(); }
    const float* data() const { return data_.get(); }
    void clear() { *this = ValueGrid(); }
    // As a vector of rows would: `rows` copies of `row`.
    void assign(std::size_t rows, const std::vector<float>& row);
    bool operator==(const ValueGrid& other) const;

    // Rows one after the other; `auto& row` binds to the iterator's current row.
    template <typename T> class RowIterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::span<T>;
        using difference_type = std::ptrdiff_t;
        using pointer = const std::span<T>*;
        using reference = std::span<T>&;
        RowIterator() = default;
        RowIterator(T* row, std::size_t columns) : row_(row, columns) {}
        reference operator*() const { return row_; }
        pointer operator->() const { return &row_; }
        RowIterator& operator++() {
            row_ = std::span<T>(row_.data() + row_.size(), row_.size());
            return *this;
        }
        RowIterator operator++(int) {
            RowIterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const RowIterator& other) const { return row_.data() == other.row_.data(); }

    private:
        mutable std::span<T> row_;
    };
    RowIterator<float> begin() { return {data_.get(), columns_}; }
    RowIterator<float> end() { return {data_.get() + rows_ * columns_, columns_}; }
    RowIterator<const float> begin() const { return {data_.get(), columns_}; }
    RowIterator<const float> end() const { return {data_.get() + rows_ * columns_, columns_}; }

private:
    FloatBlock data_;
    std::size_t rows_ = 0;
    std::size_t columns_ = 0;
};
