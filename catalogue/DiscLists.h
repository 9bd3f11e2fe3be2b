#pragma once

// The lists of the main window that show the titles' prices: the catalogue, the return
// page's open rentals and the counter's discs. After a write that changes titles behind
// them (member prices, deleted titles) they are read again.
class DiscLists {
  public:
    // Requeries each list that is open. A list with an edit the operator has not saved
    // yet is left as it is (requerying it would write the edit past the save's checks).
    static void Requery();
};
