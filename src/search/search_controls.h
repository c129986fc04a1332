#pragma once

#include <string>

namespace lotwise {

// The inputs of the "Keyword" tab, as a keyword search reads them when it starts.
struct KeywordInputs {
  std::string title;           // the words
  std::string excluded;        // words to exclude
  int combine = -1;            // how the words combine: 0 all, 1 any, 2 exact phrase, -1 none
  int category = -1;           // position in the category list; -1 when none is chosen
  std::string lowestPrice;     // as typed
  std::string highestPrice;    // as typed
  bool inDescription = false;  // title and description, not the title only
};

// What the stages of a search do to the window and read from its inputs. The window
// implements it; tests and tools may implement it without a window.
class SearchControls {
 public:
  virtual ~SearchControls() = default;

  // The status line shows `text`.
  virtual void ShowStatus(std::string text) = 0;
  // "See Incomplete Results" can be clicked.
  virtual void OfferIncompleteResults() = 0;
  // A message box with `text` (the too-many-listings message, or what the marketplace
  // showed instead of results), then the window ready for another search.
  virtual void EndWithMessage(const std::string& text) = 0;
  // A search that cannot be made of the inputs as they stand: the status line says why
  // in one line, and the window is ready for another search.
  virtual void EndWithReason(const std::string& text) = 0;
  // The report is open: "Finished!!!", and "Stop Search" becomes "Begin New Search".
  virtual void ShowFinished() = 0;

  // The category number typed on the "Category" tab, read again for every page.
  virtual std::string CategoryTyped() const = 0;
  // The keywords typed on the "Completed" tab.
  virtual std::string CompletedKeywordsTyped() const = 0;
  // The minimum number of bids as typed, read when the report is written.
  virtual std::string MinimumBidsTyped() const = 0;
  virtual KeywordInputs KeywordTab() const = 0;
};

}  // namespace lotwise
