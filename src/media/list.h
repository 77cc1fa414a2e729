// Ordered lists of records. The list owns its records. Removing any record while the list is being
// iterated (the current one, one already visited or one still ahead) is allowed: removed records
// are skipped at once and their storage is released when the outermost iteration ends. Records
// appended during an iteration are visited by it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

template <class T>
class List {
 public:
  List() = default;
  List(const List&) = delete;
  List& operator=(const List&) = delete;

  // Appends a record at the end and returns it (owned by the list).
  T* Append(T record = T()) {
    items_.push_back(std::make_unique<T>(std::move(record)));
    ++count_;
    return items_.back().get();
  }
  // Inserts a record at the front and returns it.
  T* Prepend(T record = T()) {
    items_.insert(items_.begin(), std::make_unique<T>(std::move(record)));
    ++count_;
    ++shift_;  // an iteration in progress keeps its place
    return items_.front().get();
  }
  // Removes the given record; false when it is not in the list.
  bool Remove(const T* record) {
    for (std::size_t i = 0; i < items_.size(); ++i) {
      if (!items_[i] || items_[i].get() != record) continue;
      --count_;
      if (depth_ > 0) {
        graveyard_.push_back(std::move(items_[i]));  // the running visitor may still hold it
        items_[i].reset();
      } else {
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
      }
      return true;
    }
    return false;
  }
  // Removes every record for which pred(record) is true, in one pass (Remove searches the list
  // for each record). Returns how many went. The same rules as Remove inside an iteration.
  template <class Pred>
  int RemoveIf(Pred&& pred) {
    int removed = 0;
    for (auto& p : items_) {
      if (!p || !pred(static_cast<const T&>(*p))) continue;
      ++removed;
      if (depth_ > 0) graveyard_.push_back(std::move(p));
      p.reset();
    }
    count_ -= removed;
    Compact();
    return removed;
  }
  int Count() const { return count_; }
  bool Empty() const { return count_ == 0; }
  void Clear() {
    if (depth_ > 0) {
      for (auto& p : items_) {
        if (p) graveyard_.push_back(std::move(p));
        p.reset();
      }
    } else {
      items_.clear();
    }
    count_ = 0;
  }
  T* First() const {
    for (auto& p : items_)
      if (p) return p.get();
    return nullptr;
  }
  T* Last() const {
    for (auto it = items_.rbegin(); it != items_.rend(); ++it)
      if (*it) return it->get();
    return nullptr;
  }
  // Visits every record in order.
  template <class Fn>
  void ForEach(Fn&& fn) {
    // The depth is restored even when the visitor throws (a test's process-end hook does), or the
    // list would stay in "iterating" mode and never release removed records.
    struct Depth {
      List& list;
      explicit Depth(List& l) : list(l) { ++list.depth_; }
      ~Depth() {
        if (--list.depth_ == 0) list.Compact();
      }
    } depth(*this);
    for (std::size_t i = 0; i < items_.size(); ++i) {
      std::size_t before = shift_;
      if (T* rec = items_[i].get()) fn(*rec);
      i += shift_ - before;  // records inserted at the front moved this one back
    }
  }
  // Sorts ascending by cmp(a, b) < 0 (a stable sort: equal records keep their order). Sorting
  // inside an iteration is safe, but which records that iteration still visits is then unspecified.
  void Sort(const std::function<int(const T&, const T&)>& cmp) {
    Compact();
    // Inside an iteration removed records leave empty slots: keep them out of cmp, at the end.
    std::stable_sort(items_.begin(), items_.end(), [&](const std::unique_ptr<T>& a, const std::unique_ptr<T>& b) {
      return a && (!b || cmp(*a, *b) < 0);
    });
  }

 private:
  void Compact() {
    if (depth_ > 0) return;
    items_.erase(std::remove(items_.begin(), items_.end(), nullptr), items_.end());
    graveyard_.clear();
    shift_ = 0;
  }

  std::vector<std::unique_ptr<T>> items_;
  std::vector<std::unique_ptr<T>> graveyard_;
  int count_ = 0;
  int depth_ = 0;
  std::size_t shift_ = 0;
};
