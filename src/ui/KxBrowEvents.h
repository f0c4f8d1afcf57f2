// The published events of the record browser: what the application supplies
// (row texts, headings, sort choices) and what it does on Enter, double
// click, Delete and close. Unset events keep the browser's defaults.
#pragma once

#include <Qt>
#include <functional>
#include <string>

class QObject;

namespace mss::ui {

struct RowRec;

// Texts exchanged here are Windows-1252 bytes.
struct BrowEvents {
    // Fills RR.Line from the record just read into the object's buffer.
    std::function<void(RowRec& RR)> OnBuildRow;
    // Sets headings and footer through SetHeaderFooter.
    std::function<void()> OnSetHeaderFooter;
    // Fills the sort list through ClearSortList and AddSortEntry.
    std::function<void()> OnInitSortList;
    // Key number and range of sort entry i (0-based); 0 = no change.
    std::function<int(int i, std::string& LKey, std::string& HKey)> OnSortList2Key;
    std::function<void()> OnBrowEnter;
    std::function<void()> OnBrowDoppelKlick;
    // Deletes the current record and answers success; default: Delete(3).
    std::function<bool()> OnDatensatz_Loeschen;
    // May veto a deletion; default: allowed.
    std::function<bool()> OnBefore_Loesch;
    // What the delete question names; default "Datensatz".
    std::function<std::string()> OnLoesch_Feld;
    // Width in pixels of column i (1-based); default (heading length + 1) x "X".
    std::function<int(int i)> OnBrowColWidths;
    // Turns the upper-cased quick-search text into a key string; default: the text.
    std::function<std::string(const std::string& upperText)> OnSuchFeld2KeyStr;
    // Enter in the quick-search field; default: OnBrowEnter.
    std::function<void()> OnBrowSuchfeldEnter;
    // A scroll bar was used.
    std::function<void()> OnBrowScroll;
    // A close button was clicked.
    std::function<void(QObject* sender)> OnBrowCloseBtnKlick;
    // Keys the browser does not handle itself, and Esc; answers whether the key was used.
    std::function<bool(int key, Qt::KeyboardModifiers modifiers)> OnProcessPostCommand;
};

}  // namespace mss::ui
