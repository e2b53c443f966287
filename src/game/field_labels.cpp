#include "game/field_labels.h"

#include "game/level_labels.h"
#include "game/function_fields.h"

namespace kx {

const char* SymbolText(int symbolSet) {
  return symbolSet >= 4 ? "123456789" : SymbolSetLabelText(symbolSet);
}

const char* SymbolSetLabelText(int symbolSet) {
  static const char* kTexts[8] = {"123456789", "abcdefghi", "ABCDEFGHI", "KX-SUDoku",
                                  "KXS0x.BMP", "KXS1x.BMP", "KXS2x.BMP", "KXS3x.BMP"};
  return kTexts[symbolSet & 7];
}

std::string FieldLabel(int commandId, const SettingsWord& s) {
  using namespace command;
  auto pick = [](bool set, const char* whenSet, const char* whenClear) { return std::string(set ? whenSet : whenClear); };
  switch (commandId) {
    case kNewOwnGame: return "Neues Eigenes Spiel definieren";
    case kFinishEntry: return "Vorgabe beenden /  S p i e l e n";
    case kNewRandom: case kNewEasy: case kNewMedium: case kNewHard: case kNewSuperHard:
      return NewGameLabel(static_cast<Level>(commandId - kNewRandom));
    case kSolveAll: return "Sudoku automatisch lösen";
    case kCheck: return "Prüfen / Schwierigkeit ermitteln";
    case kSetAllCandidates: return "Alle 1-9 Felder setzen";
    case kLoadGame: return "Gespeichertes Spiel laden";
    case kAllSolutions: return "Alle Lösungen ermitteln";
    case kHelp: return "Hilfe anzeigen";
    case kSettings: return "Einstellungen";
    case kQuit: return "Programm beenden";
    case kAbandon: return "Spiel abbrechen / Neues Spiel";
    case kSetCellCandidates: return "1-9 im markierten Feld setzen";
    case kPlayShown: return "Angezeigtes   S p i e l   s p i e l e n";
    case kSaveGame: return "Spiel speichern";
    case kSolveCell: return "Markiertes Feld lösen";
    case kRemoveWrong: return "Falsche Ziffern entfernen";
    case kPrint: return "Druckfunktionen";
    case kSlider: return kSliderLabel;
    case kSymbolSet: return std::string("Symbolik: \"") + SymbolSetLabelText(s.SymbolSet()) + "\"";
    case kValidation: {
      static const char* kLabels[3] = {"Keine Eingabe-Ziffern - Prüfung", "Eingabe-Ziffern werden geprüft",
                                       "Falsche Ziffern verhindern"};
      return s.ValidationLevel() < 3 ? kLabels[s.ValidationLevel()] : "";
    }
    case kAfterGenerating:
      return pick(s.MoreSelectionAfterGenerating(), "Nach Spielauswahl weitere Auswahl", "Nach Spielauswahl sofort spielen");
    case kContinuation: {
      static const char* kLabels[4] = {"Spielverlauf: Kein Spielen möglich", "Spielverlauf: Hinten anhängen",
                                       "Spielverlauf: Hintere löschen", "Spielverlauf: Neues Spiel"};
      return kLabels[s.ContinuationPolicy()];
    }
    case kAutoSave: return pick(s.AutoSave(), "Spiele automatisch speichern", "Kein Auto-Speichern");
    case kLeaveSelection:
      return pick(s.PlayByTypingInSelection(), "Spielmodus durch Zifferneingabe", "Spielmodus durch 'Spiel spielen'");
    case kPrintout:
      return pick(s.MirroredSolutionPrint(), "Lösung wird in Spiegelschrift gedruckt",
                  "Lösung wird normal lesbar gedruckt");
    case kCandidateRows: return pick(s.HideCandidateRows(), "1_9 Zeile wird unterdrückt", "1_9 Zeile wird angezeigt");
    case kPopups: return pick(s.HoverPopups(), "Pop-Up's auch durch Mausposition", "Pop-Up's nur bei Rechts-Klick");
    case kReachability: return pick(s.FixedCellsUnreachable(), "Vorgabefelder nicht erreichbar", "Alle Felder erreichbar");
    case kLeaveSettings: return "Einstellungs-Modus beenden";
    case kAssignPictures: return "Ziffern mit neuen Bildern belegen";
    case kChoosePictureSource: return "(Neue) Bild-Quelldatei auswählen";
    case kAssignPicture: return "Bild (Ausschnitt) der markierten Ziffer zuordnen";
    case kEndPictureAssignment: return "Bild-Zuordnung beenden";
    default: return "";
  }
}

}  // namespace kx
