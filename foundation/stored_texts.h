#pragma once

// The texts that the data files hold and that the program compares byte for
// byte, as GBK (code page 936) bytes. The Chinese beside each is the same text
// in this source file's own encoding; a test checks that they agree.

namespace storedtext {

// Status values of an item.
inline constexpr char kIdle[] = "\xbf\xd5\xcf\xd0\xd6\xd0";   // 空闲中
inline constexpr char kInUse[] = "\xca\xb9\xd3\xc3\xd6\xd0";  // 使用中
// Start time of an idle item; also the empty duration and fee cells.
inline constexpr char kNone[] = "\xce\xde";                   // 无

// Keys of an item's section, in the order the item editor writes them.
inline constexpr char kInitialPeriodKey[] = "\xb3\xf5\xca\xbc\xca\xb1\xb6\xce"; // 初始时段
inline constexpr char kInitialFeeKey[] = "\xb3\xf5\xca\xbc\xb7\xd1\xd3\xc3";    // 初始费用
inline constexpr char kMinimumUnitKey[] = "\xd7\xee\xd0\xa1\xb5\xa5\xce\xbb";   // 最小单位
inline constexpr char kOvertimePriceKey[] = "\xb3\xac\xca\xb1\xb5\xa5\xbc\xdb"; // 超时单价
inline constexpr char kStatusKey[] = "\xd7\xb4\xcc\xac";                        // 状态
inline constexpr char kStartTimeKey[] = "\xbf\xaa\xca\xbc\xca\xb1\xbc\xe4";     // 开始时间

} // namespace storedtext
