// Qt's own texts (the buttons of message boxes, the file, print and colour
// dialogs) in the program's language: German from Qt's translation files,
// English as built in.
#pragma once

#include <QTranslator>
#include <memory>

namespace mss::app {

class QtTranslations {
  public:
    // German loads "qtbase_de" from Qt's translation folder; false when it is
    // not installed (Qt's texts then stay English).
    bool Apply(bool german);
    bool Loaded() const { return translator_ != nullptr; }

  private:
    std::unique_ptr<QTranslator> translator_;
};

}  // namespace mss::app
