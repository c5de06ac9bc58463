// SPDX-License-Identifier: MIT
// Qt's own windows and buttons in the program's language. Qt's source texts
// are English; Debian ships no Romanian translation of Qt, so the binding
// carries the Romanian for every Qt text that its windows can show: the file
// chooser with its questions, the standard buttons of message boxes, and the
// context menu of an edit box.
#include <QCoreApplication>
#include <QTranslator>

#include <map>
#include <utility>

#include "bindings/qt/qt_binding.h"

namespace bitscope {
namespace {

using Key = std::pair<QString, QString>;  // (Qt's translation context, source text)

const std::map<Key, QString>& romanianTexts() {
  static const std::map<Key, QString> texts = [] {
    const char* rows[][3] = {
        {"QPlatformTheme", "OK", "OK"},
        {"QPlatformTheme", "Save", "Salvare"},
        {"QPlatformTheme", "Open", "Deschidere"},
        {"QPlatformTheme", "Cancel", "Anulare"},
        {"QPlatformTheme", "Close", "Închidere"},
        {"QPlatformTheme", "&Yes", "&Da"},
        {"QPlatformTheme", "&No", "&Nu"},
        {"QPlatformTheme", "Apply", "Aplicare"},
        {"QPlatformTheme", "Help", "Ajutor"},
        {"QFileDialog", "Look in:", "Caută în:"},
        {"QFileDialog", "File &name:", "&Nume fișier:"},
        {"QFileDialog", "Files of type:", "Fișiere de tipul:"},
        {"QFileDialog", "&Open", "&Deschide"},
        {"QFileDialog", "&Save", "&Salvează"},
        {"QFileDialog", "Open", "Deschide"},
        {"QFileDialog", "Save As", "Salvează ca"},
        {"QFileDialog", "Back", "Înapoi"},
        {"QFileDialog", "Forward", "Înainte"},
        {"QFileDialog", "Parent Directory", "Dosarul părinte"},
        {"QFileDialog", "Go back", "Mergi înapoi"},
        {"QFileDialog", "Go forward", "Mergi înainte"},
        {"QFileDialog", "Go to the parent directory", "Mergi la dosarul părinte"},
        {"QFileDialog", "Create New Folder", "Creează un dosar nou"},
        {"QFileDialog", "Create a New Folder", "Creează un dosar nou"},
        {"QFileDialog", "List View", "Listă"},
        {"QFileDialog", "Detail View", "Detalii"},
        {"QFileDialog", "Change to list view mode", "Afișează ca listă"},
        {"QFileDialog", "Change to detail view mode", "Afișează cu detalii"},
        {"QFileDialog", "Sidebar", "Bară laterală"},
        {"QFileDialog", "List of places and bookmarks", "Locuri și semne de carte"},
        {"QFileDialog", "Files", "Fișiere"},
        {"QFileDialog", "All Files (*)", "Toate fișierele (*)"},
        {"QFileDialog", "&New Folder", "Dosar &nou"},
        {"QFileDialog", "New Folder", "Dosar nou"},
        {"QFileDialog", "&Delete", "Ș&terge"},
        {"QFileDialog", "&Rename", "&Redenumește"},
        {"QFileDialog", "Show &hidden files", "Arată fișierele &ascunse"},
        {"QFileDialog", "Recent Places", "Locuri recente"},
        {"QFileDialog", "%1 already exists.\nDo you want to replace it?", "%1 există deja.\nÎl înlocuiți?"},
        {"QFileDialog", "Are you sure you want to delete '%1'?", "Sigur ștergeți „%1”?"},
        {"QFileSystemModel", "Name", "Nume"},
        {"QFileSystemModel", "Size", "Mărime"},
        {"QFileSystemModel", "Type", "Tip"},
        {"QFileSystemModel", "Date Modified", "Data modificării"},
        {"QFileSystemModel", "Computer", "Calculator"},
        {"QAbstractFileIconProvider", "Folder", "Dosar"},
        {"QAbstractFileIconProvider", "Drive", "Unitate"},
        {"QAbstractFileIconProvider", "File", "Fișier"},
        {"QAbstractFileIconProvider", "%1 File", "Fișier %1"},
        {"QLineEdit", "&Undo", "&Anulează"},
        {"QLineEdit", "&Redo", "&Refă"},
        {"QLineEdit", "Cu&t", "&Decupează"},
        {"QLineEdit", "&Copy", "&Copiază"},
        {"QLineEdit", "&Paste", "&Lipește"},
        {"QLineEdit", "Delete", "Șterge"},
        {"QLineEdit", "Select All", "Selectează tot"},
        // The chooser's own questions (qt_files.cpp).
        {"FileChooser", "%1\nThis file does not exist.\nCreate the file?",
         "%1\nAcest fișier nu există.\nÎl creați?"},
        {"FileChooser", "%1\nThe path does not exist.\nCheck the path and try again.",
         "%1\nCalea nu există.\nVerificați calea și încercați din nou."},
    };
    std::map<Key, QString> table;
    for (const auto& [context, source, romanian] : rows)
      table.emplace(Key{QString::fromUtf8(context), QString::fromUtf8(source)}, QString::fromUtf8(romanian));
    return table;
  }();
  return texts;
}

// Installed once and asked on every lookup: installing or removing a translator
// sends every widget a LanguageChange, which repaints the whole window, and the
// window's own texts are the program's anyway. Qt's texts are looked up as its
// windows, buttons and menus are made, so they follow the flag from the next
// one on (a chooser or message box is modal: none is open across a switch).
class RomanianTranslator final : public QTranslator {
 public:
  bool active = false;
  QString translate(const char* context, const char* source, const char*, int) const override {
    if (!active || context == nullptr || source == nullptr) return {};
    const auto found = romanianTexts().find({QString::fromUtf8(context), QString::fromUtf8(source)});
    return found == romanianTexts().end() ? QString() : found->second;
  }
  bool isEmpty() const override { return false; }
};

}  // namespace

void lowSetLanguage(std::string_view code) {
  static RomanianTranslator romanian;
  static const bool installed = QCoreApplication::installTranslator(&romanian);
  romanian.active = installed && code == "ro";
}

}  // namespace bitscope
