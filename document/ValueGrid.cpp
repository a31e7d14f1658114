#include "document/ValueGrid.h"

#include <algorithm>
#include <new>
#include <stdexcept>
#include <sys/mman.h>

FloatBlock AllocateFloats(std::size_t count) {
    constexpr std::size_t LargePage = std::size_t{2} << 20;
    const std::size_t bytes = std::max<std::size_t>(count, 1) * sizeof(float);
    void* block = nullptr;
    if (bytes >= LargePage) {
        // Whole large pages, aligned to them, so that every page of the block can be one.
        block = std::aligned_alloc(LargePage, (bytes + LargePage - 1) / LargePage * LargePage);
        if (block)
            ::madvise(block, bytes, MADV_HUGEPAGE);
    } else {
        block = std::malloc(bytes);
    }
    if (!block)
        throw std::bad_alloc();
    return FloatBlock(static_cast<float*>(block));
}

ValueGrid ValueGrid::Uninitialized(std::size_t rows, std::size_t columns) {
    ValueGrid grid;
    if (rows == 0 || columns == 0)
        return grid;
    grid.data_ = AllocateFloats(rows * columns);
    grid.rows_ = rows;
    grid.columns_ = columns;
    return grid;
}

ValueGrid::ValueGrid(std::size_t rows, std::size_t columns, float value)
    : ValueGrid(Uninitialized(rows, columns)) {
    std::fill_n(data_.get(), rows_ * columns_, value);
}

ValueGrid::ValueGrid(const std::vector<std::vector<float>>& rows) {
    if (rows.empty())
        return;
    const std::size_t columns = rows.front().size();
    for (const auto& row : rows) {
        if (row.size() != columns)
            throw std::invalid_argument("rows of a value grid must have one length");
    }
    *this = Uninitialized(rows.size(), columns);
    for (std::size_t r = 0; r < rows_; ++r)
        std::copy(rows[r].begin(), rows[r].end(), data_.get() + r * columns_);
}

ValueGrid::ValueGrid(std::initializer_list<std::vector<float>> rows)
    : ValueGrid(std::vector<std::vector<float>>(rows)) {}

ValueGrid::ValueGrid(const ValueGrid& other)
    : ValueGrid(Uninitialized(other.rows_, other.columns_)) {
    std::copy_n(other.data_.get(), rows_ * columns_, data_.get());
}

ValueGrid& ValueGrid::operator=(const ValueGrid& other) {
    if (this != &other)
        *this = ValueGrid(other);
    return *this;
}

void ValueGrid::assign(std::size_t rows, const std::vector<float>& row) {
    *this = Uninitialized(rows, row.size());
    for (std::size_t r = 0; r < rows_; ++r)
        std::copy(row.begin(), row.end(), data_.get() + r * columns_);
}

bool ValueGrid::operator==(const ValueGrid& other) const {
    return rows_ == other.rows_ && columns_ == other.columns_ &&
           std::equal(data_.get(), data_.get() + rows_ * columns_, other.data_.get());
}
