#pragma once
// The order letters: one letter per supplier that occurs in the order list,
// in the order QTX_VZ, DORNA, DERUZA, each on sheets of its own, laid out in
// the 640 x 480 page system into any device context (printer, PDF, the
// recording context of tests and qxkat-tool).

#include "orders/OrderInfo.h"
#include "orders/OrderList.h"

#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

class Dc;
struct GlobalState;

struct LetterInput {
    const OrderList* list = nullptr;         // entries and the order indication
    std::optional<OrderInfo> info;           // nothing: letters without addresses and texts
    std::vector<std::string> addresses;      // of the address file; empty when there is none
    const GlobalState* state = nullptr;      // programDir (logos), priceMode, languageIndex
    std::time_t today = 0;
    // Told of every logo drawn (file name, right edge and top in page units).
    std::function<void(std::string_view name, int right, int top)> pictureDrawn;
};

// The supplier keys that occur, in letter order.
std::vector<std::string> LetterSuppliers(const OrderList& list);

// Lays out every letter. The first letter goes on the page already started;
// each further one starts a new page. Returns the number of letters.
int LayOutOrderLetters(Dc& dc, const LetterInput& in);

} // namespace qx
