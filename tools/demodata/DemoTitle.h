#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One disc title of a demo shop with the life of its copies: when each copy is back on
// the shelf and which copies are sold. The counter walks through time in order, so a
// copy is on the shelf at a moment when it is back by then and not sold.
class DemoTitle {
  public:
    static constexpr int kMaxCopies = 5;

    std::string cdid, id, name, actor, key, movieType, format, content, remark, location, born;
    int count = 1;
    int buyDay = 0;
    double price = 0, borrowPrice = 0, memberBorrowPrice = 0, sellPrice = 0, memberSellPrice = 0;
    bool perDay = true;
    bool abandoned = false;
    int rentalLines = 0;                   // becomes outcount
    std::vector<std::uint16_t> rentalNos;  // rental numbers of its lines (borrowid is unique)
    std::vector<std::uint16_t> saleNos;

    // Copies (1-based) on the shelf at the moment.
    std::vector<int> ShelfCopies(std::int64_t moment) const;
    bool HasShelfCopy(std::int64_t moment) const;
    void Lend(int copy, std::int64_t backAt) {
        backAt_[static_cast<std::size_t>(copy - 1)] = backAt;
    }
    void Sell(int copy) { sold_[static_cast<std::size_t>(copy - 1)] = true; }

    int SoldCopies() const;
    int OutCopies(std::int64_t moment) const;  // lent and not back at the moment
    // "未借出", "借出部分" or "全部借出" as the counter leaves it at the moment.
    const char* Station(std::int64_t moment) const;
    int IsSell() const;  // 0 none sold, 1 some, 2 every copy
    static bool Uses(const std::vector<std::uint16_t>& numbers, int number);

  private:
    std::array<std::int64_t, kMaxCopies> backAt_{};
    std::array<bool, kMaxCopies> sold_{};
};
