#include "game/command_table.h"

#include <algorithm>
#include <iterator>

#include "engine/difficulty.h"
#include "game/commands.h"
#include "game/enumerate_command.h"
#include "game/file_commands.h"
#include "game/program.h"
#include "game/show_help.h"
#include "game/symbol_pictures.h"

namespace kx {
namespace {

// Pop-up texts of the titles, one per mode.

constexpr const char* kHistoryViewText =
    "Anzeige des Spielverlaufs\n\n"
    "Sie befinden sich in der Anzeige des Spielverlaufs.\n\n"
    "Taste- 'Pos 1' zeigt den ersten Spielschritt\n\n"
    "Taste- 'Ende' zeigt den letzten Spielschritt (Spielmodus)\n\n"
    "Mit den beiden 'Bild'-Tasten bewegen Sie sich durch die einzelnen Spielschritte.\n\n"
    "Ob das Weiterspielen ab einem angezeigten Spielschritt möglich ist und das zugehörige "
    "Handling ist Einstellungssache (Menüpunkt 'Einstellungen').\n\n"
    "Folgende Einstellungen sind möglich:\n\n"
    "1. Der neuer Spielschritt wird angefügt\n"
    "2. Alle folgenden Spielschritte werden gelöscht\n"
    "3. Neues Spiel ab dem angezeigten Schritt\n"
    "4. Keine Weiterspielen möglich";

constexpr const char* kSettingsTitleText =
    "E i n s t e l l u n g e n\n\n"
    "Sie befinden sich im Einstellungs-Modus.\n\n"
    "Jedes Funktionsfeld zeigt den aktuellen Wert einer Einstellung.\n"
    "Durch Links-Klick auf das Funktionsfeld wird zum jeweils nächsten Wert gewechselt.\n\n"
    "Die Einstellungen bleiben auch nach einem Neustart des Programms erhalten.\n"
    "Mit 'Einstellungs-Modus beenden' kehren Sie zum Spiel zurück.";

constexpr const char* kPlayTitleText =
    "Spielmodus\n\n"
    "Sie befinden sich im Spielmodus.\n\n"
    "Setzen Sie die Ziffern mit der Maus oder über die Tastatur in die freien Felder.\n"
    "In der 1_9-Zeile unter jedem Feld können Sie sich die noch möglichen Ziffern per "
    "Maus-Klick markieren.\n\n"
    "Jeder Spielschritt wird im Spielverlauf festgehalten ('Bild'-Tasten, 'Pos 1' und 'Ende').";

constexpr const char* kAutoSolvedTitleText =
    "Sudoku ist gelöst (automatisch)\n\n"
    "Das Sudoku wurde mit der Funktion 'Sudoku automatisch lösen' gelöst.\n\n"
    "Die automatisch gelösten Ziffern sind farblich markiert.\n"
    "Falsch gesetzte Ziffern wurden korrigiert und werden blinkend dargestellt.\n\n"
    "Wählen Sie ein neues Spiel oder laden Sie ein gespeichertes Spiel.";

constexpr const char* kManualEntryTitleText =
    "Manuelle Spieleingabe\n\n"
    "Sie geben ein eigenes Sudoku vor.\n\n"
    "Setzen Sie die Vorgabe-Ziffern mit der Maus oder über die Tastatur in die Felder.\n"
    "Mit 'Prüfen / Schwierigkeit ermitteln' sehen Sie jederzeit, ob die Vorgabe eindeutig "
    "lösbar ist.\n\n"
    "Mit 'Vorgabe beenden /  S p i e l e n' beginnt das Spiel.";

constexpr const char* kSolvedTitleText =
    "Sudoku ist gelöst\n\n"
    "G l ü c k w u n s c h !!!  Sie haben das Sudoku vollständig gelöst.\n\n"
    "Spielzeit und Statistik des Spiels bleiben angezeigt.\n"
    "Mit 'Spiel speichern' können Sie das Spiel mit seinem Spielverlauf in einer Datei "
    "ablegen, sofern es noch nicht gespeichert ist.\n\n"
    "Wählen Sie ein neues Spiel oder laden Sie ein gespeichertes Spiel.";

constexpr const char* kSelectTitleText =
    "Spiel - Auswahl\n\n"
    "Sie befinden sich in der Spielauswahl.\n\n"
    "Erzeugen Sie ein neues Spiel (von leicht bis super-schwer oder mit dem "
    "Schwierigkeits-Schieber), definieren Sie ein eigenes Spiel oder laden Sie ein "
    "gespeichertes Spiel.\n\n"
    "Das angezeigte Spiel beginnt je nach Einstellung mit der ersten Zifferneingabe oder "
    "durch 'Angezeigtes Spiel spielen'.";

// Commands.

constexpr const char* kOwnGameText =
    "Eigenes Spiel definieren\n\n"
    "Das Spielfeld wird geleert und Sie können ein eigenes Sudoku vorgeben, z.B. aus einer "
    "Zeitung oder einem Buch.\n\n"
    "Setzen Sie die Vorgabe-Ziffern in die Felder und beenden Sie die Vorgabe mit "
    "'Vorgabe beenden /  S p i e l e n'.\n"
    "Ein nicht gelöstes Spiel wird vorher nach Rückfrage abgebrochen.";

constexpr const char* kFinishEntryText =
    "Vorgabe beenden /  S p i e l e n\n\n"
    "Die manuelle Vorgabe wird beendet.\n\n"
    "Alle gesetzten Ziffern werden zu festen Vorgabe-Ziffern, die Schwierigkeit des "
    "Sudokus wird ermittelt und das Spiel beginnt.\n"
    "Felder ohne Ziffer oder mit mehreren markierten Ziffern bleiben frei.";

constexpr const char* kRandomGameText =
    "Neues beliebiges Spiel\n\n"
    "Es wird ein neues eindeutiges Sudoku mit beliebigem Schwierigkeitsgrad erzeugt "
    "(von leicht bis super-schwer).\n\n"
    "Ein nicht gelöstes Spiel wird vorher nach Rückfrage abgebrochen.";

constexpr const char* kEasyGameText =
    "Neues leichtes Spiel\n\n"
    "Es wird ein neues eindeutiges Sudoku mit leichtem Schwierigkeitsgrad erzeugt "
    "(Schwierigkeit bis 1.000).\n\n"
    "Ein nicht gelöstes Spiel wird vorher nach Rückfrage abgebrochen.";

constexpr const char* kMediumGameText =
    "Neues mittelschweres Spiel\n\n"
    "Es wird ein neues eindeutiges Sudoku mit mittlerem Schwierigkeitsgrad erzeugt "
    "(Schwierigkeit 1.000 bis 10.000).\n\n"
    "Ein nicht gelöstes Spiel wird vorher nach Rückfrage abgebrochen.";

constexpr const char* kHardGameText =
    "Neues schweres Spiel\n\n"
    "Es wird ein neues eindeutiges Sudoku mit hohem Schwierigkeitsgrad erzeugt "
    "(Schwierigkeit 10.000 bis 50.000).\n\n"
    "Ein nicht gelöstes Spiel wird vorher nach Rückfrage abgebrochen.";

constexpr const char* kSuperHardGameText =
    "Neues Super-schweres Spiel\n\n"
    "Es wird ein neues eindeutiges Sudoku mit sehr hohem Schwierigkeitsgrad erzeugt "
    "(Schwierigkeit ab 10.000, zusätzlich verschärft).\n"
    "Solche Spiele sind oft nur durch Probieren lösbar.\n\n"
    "Ein nicht gelöstes Spiel wird vorher nach Rückfrage abgebrochen.";

constexpr const char* kSolveAllText =
    "Sudoku automatisch lösen\n\n"
    "Löst jedes beliebige Sudoku, welches zu Spielbeginn keine sich widersprechenden "
    "Vorgaben enthielt.\n"
    "Sollten mehrere Lösungen möglich sein, wird dieses erkannt und als mehrdeutig "
    "angezeigt. Angezeigt wird immer die erste gefundene Lösung (auch bei vollkommen "
    "unvollständigen Vorgaben).\n\n"
    "Alle automatisch gelösten Ziffern werden farblich markiert\n"
    "Durch den Spieler falsch vorgegebene Ziffern werden blinkend dargestellt.\n";

constexpr const char* kCheckText =
    "Prüfen / Schwierigkeit ermitteln\n\n"
    "Das angezeigte Sudoku wird mit allen gesetzten Ziffern geprüft und seine "
    "Schwierigkeit ermittelt.\n\n"
    "Das Ergebnis wird als 'Prüf-Schwierigkeit' angezeigt.\n"
    "Hat das Sudoku keine oder mehrere Lösungen, wird dieses ebenfalls angezeigt.\n\n"
    "Diese Funktion ist auch in der Anzeige des Spielverlaufs möglich.";

constexpr const char* kAllCandidatesText =
    "Alle 1-9 Felder setzen\n\n"
    "Für alle Felder ohne feste Ziffer werden die nach einfacher Logik noch möglichen "
    "Ziffern in der 1_9-Zeile markiert.\n"
    "Bleibt für ein Feld nur eine Ziffer übrig, wird diese eingesetzt.\n\n"
    "So veränderte Felder zählen als 'Mit Hilfe gelöst'.";

constexpr const char* kLoadText =
    "Spiel laden\n\n"
    "Ein gespeichertes Spiel (Datei 'SuDoKu_....kxs') wird mit seinem gesamten "
    "Spielverlauf geladen und an dem Spielschritt fortgesetzt, der beim Speichern "
    "angezeigt war.\n\n"
    "Ein nicht gelöstes Spiel wird vorher nach Rückfrage abgebrochen.";

constexpr const char* kAllSolutionsText =
    "Alle Lösungen ermitteln\n\n"
    "Sucht alle Lösungen eines vorgegebenen unvollständigen Sudokus und schreibt diese im "
    "Textformat in die Datei 'SudokuAll.txt'.\n\n"
    "Beachten Sie, dass es bei vollkommen undefiniertem Sudoku viele Billiarden "
    "verschiedene Möglichkeiten gibt und diese nicht auf Ihre Festplatte passen könnten.\n\n"
    "Die Laufzeit zur Ermittlung ist dann ebenfalls extrem lang (Tage - Wochen - Monate).\n"
    "Diese Funktion kann jederzeit abgebrochen werden.\n"
    "(max. werden 18.446.744.073.709.551.615 Lösungen ermittelt)\n";

constexpr const char* kHelpText =
    "Hilfe anzeigen\n\n"
    "Sonstiger Hinweis: Die zuletzt per Mausklick ausgeführte Funktion ist gekennzeichnet "
    "und wird durch Drücken der Return-Taste wiederholt ausgeführt.\n"
    "Mit der TAB-Taste wird die jeweils nächste Funktion markiert und kann dann mit der "
    "Return-Taste ausgeführt werden.";

constexpr const char* kEnterSettingsText =
    "Einstellungen\n\n"
    "Wechselt in den Einstellungs-Modus.\n\n"
    "Dort legen Sie u.a. die Symbolik, die Prüfung der Eingabe-Ziffern, das automatische "
    "Speichern, den Druck der Lösung und das Weiterspielen im Spielverlauf fest.";

constexpr const char* kQuitText =
    "Programm beenden\n\n"
    "Das Programm wird beendet.\n\n"
    "Das laufende Spiel mit seinem Spielverlauf und alle Einstellungen werden gespeichert "
    "und beim nächsten Programmstart wieder angezeigt.";

constexpr const char* kAbandonText =
    "Spiel abbrechen / Neues Spiel\n\n"
    "Das laufende Spiel wird abgebrochen und Sie gelangen zur Spielauswahl.\n\n"
    "Bei einem nicht gelösten Spiel erfolgt vorher eine Rückfrage; das Spiel kann dabei "
    "auch gespeichert werden.\n"
    "Das abgebrochene Spiel bleibt angezeigt.";

constexpr const char* kCellCandidatesText =
    "1-9 nur im markierten Feld setzen\n\n"
    "Für das markierte Feld werden die nach einfacher Logik noch möglichen Ziffern in der "
    "1_9-Zeile markiert.\n"
    "Bleibt nur eine Ziffer übrig, wird diese eingesetzt.\n\n"
    "Bei einem Feld mit fester Ziffer geschieht nichts.";

constexpr const char* kPlayShownText =
    "Angezeigtes Spiel spielen\n\n"
    "Das angezeigte Sudoku wird gespielt.\n\n"
    "Sie wechseln in den Spielmodus und können die Ziffern setzen.\n"
    "Der bisherige Spielverlauf bleibt erhalten.";

constexpr const char* kSaveText =
    "Spiel speichern\n\n"
    "Das aktuelle Spiel wird mit seinem gesamten Spielverlauf in einer Datei gespeichert.\n\n"
    "Der Dateiname enthält Datum und Uhrzeit: 'SuDoKu_JJJJ_MM_TT__hh_mm_ss.kxs', bei einem "
    "nicht gelösten Spiel mit dem Zusatz '_ungeloest'.\n"
    "Mit 'Gespeichertes Spiel laden' kann das Spiel später fortgesetzt werden.";

constexpr const char* kSolveCellText =
    "Markiertes Feld lösen\n\n"
    "Im markierten Feld wird die richtige Lösungsziffer eingesetzt.\n\n"
    "Die Ziffer wird farblich markiert, als automatisch gelöst gezählt und kann nicht mehr "
    "überschrieben werden.";

constexpr const char* kRemoveWrongText =
    "Falsche Ziffern entfernen\n\n"
    "Alle gesetzten Ziffern, die nicht der Lösung entsprechen, werden entfernt.\n"
    "Richtige Ziffern bleiben erhalten.\n\n"
    "Die geleerten Felder zählen nach dem erneuten Ausfüllen als 'Auto-Korrekturen'.";

constexpr const char* kPrintText =
    "Druckfunktionen\n\n"
    "Es gibt die folgenden Möglichkeiten:\n\n"
    "1. Den angezeigten Sudoku-Fensterinhalt drucken (Farbe)\n"
    "2. Sudoku mit Lösung (aktuelle Ziffern) (s/w)\n"
    "3. Sudoku mit Lösung (Start-Sudoku) (s/w)\n";

constexpr const char* kSliderText =
    "Leicht <<<  Neues Spiel  >>> Schwer\n\n"
    "Es wird ein eindeutiges Spiel mit einem der Maus-Klick-Position entsprechenden "
    "Schwierigkeitsgrad erzeugt.\n";

// Settings.

constexpr const char* kSymbolSetText =
    "Sie können das Sudoku herkömmlich mit den Ziffern 1...9 spielen, oder mit Buchstaben "
    "und/oder Sonderzeichen oder mit Bildern.\n\n"
    "Der jeweilige Modus wird im Funktionsfeld angezeigt.\n\n"
    "Durck Links-Klick auf das Funktionsfeld wird zur jeweils nächsten Symbolik gewechselt.\n"
    "Die Bilder bei der Symbolik 'KXSxx.BMP' können Sie durch beliebige eigene Bilder oder \n"
    "Bildausschnitte mit der Funktion 'Ziffern mit neuen Bildern belegen' austauschen.\n\n"
    "Im Bilder-Modus werden die Dateien KXSyx.BMP als Symbol für die Ziffern (x = 1...9) "
    "verwendet.\n"
    "y = 0..3, da vier unterschiedliche Bilder-Sets verwendet werden.\n"
    "Die Dateibezeichnungen der Symbol-Bilder-Dateien lauten somit:\n"
    "KXS0x.BMP, KXS1x.BMP, KXS2x.BMP und KXS3x.BMP (x jeweils von 1...9).\n"
    "Anstelle BMP-Dateien können auch JPG-Dateien als Bildquelle verwendet werden. Die "
    "JPG-Datei wird in eine BMP-Datei umgewandelt. Dieses funktioniert nur, wenn keine "
    "entsprechende BMP-Datei vorhanden ist. Diese also vorher löschen!!!\n\n"
    "Übrigens:Im Bild-Modus wird ein kleines Bild bei gedrückter rechter Maustaste gross "
    "dargestellt.";

constexpr const char* kNoValidationText =
    "Keine Eingabe-Ziffern - Prüfung\n\n"
    "Die eingegebenen Ziffern werden nicht geprüft.\n"
    "Jede Ziffer wird angenommen, auch wenn sie offensichtlich falsch ist.\n\n"
    "Durch Links-Klick auf das Funktionsfeld wird zur nächsten Prüfstufe gewechselt.";

constexpr const char* kCheckValidationText =
    "Eingabe-Ziffern werden geprüft\n\n"
    "Bei der Zifferneingabe wird die Ziffer auf offensichtliche Fehler geprüft.\n"
    "Bei offensichtlichem Fehler wird die falsche Ziffer zurückgewiesen.\n"
    "Offensichtliche Fehler liegen vor, wenn die gleiche Ziffer bereits in der gleichen "
    "Reihe, der gleichen Spalte oder im gleichen 3x3-Feld vorhanden ist.\n\n"
    "Es wird  n i c h t  geprüft, ob es sich um die richtige Lösungsziffer handelt!!\n"
    "Für die 1_9-Zeile wird diese Prüfung durchgeführt, wenn nach dem Ändern nur noch "
    "eine Ziffer verbleibt und diese eingesetzt wird (würde).";

constexpr const char* kPreventWrongText =
    "Falsche Ziffern verhindern\n\n"
    "Jede eingegebene Ziffer wird mit der Lösung des Sudokus verglichen.\n"
    "Eine falsche Ziffer wird zurückgewiesen und als Fehleingabe gezählt.\n\n"
    "Ist das Sudoku nicht eindeutig lösbar, wird nur auf offensichtliche Fehler geprüft "
    "(wie bei 'Eingabe-Ziffern werden geprüft').";

constexpr const char* kPlayAtOnceText =
    "Spielmodus nach Spielgenerierung\n\n"
    "Nach dem Erzeugen eines neuen Spiels befinden Sie sich sofort im Spielmodus.\n\n"
    "Durch Links-Klick auf das Funktionsfeld bleiben Sie stattdessen nach dem Erzeugen "
    "in der Spielauswahl.";

constexpr const char* kKeepSelectingText =
    "Spielmodus nach Spielgenerierung\n\n"
    "Nach dem Erzeugen eines neuen Spiels bleiben Sie in der Spielauswahl. So können Sie "
    "neue Spiele erzeugen, bis Ihnen eines zusagt.\n\n"
    "Gespielt wird je nach Einstellung nach der ersten Zifferneingabe oder durch "
    "'Angezeigtes Spiel spielen'.";

constexpr const char* kNoResumeText =
    "Weiterspielen bei vorherigen Spielschritten\n\n"
    "In der Anzeige des Spielverlaufs ist kein Weiterspielen möglich.\n"
    "Eine Eingabe bei einem früheren Spielschritt wird abgewiesen.\n\n"
    "Mit der 'Ende'-Taste kehren Sie zum letzten Spielschritt zurück.";

constexpr const char* kResumeAppendText =
    "Weiterspielen bei vorherigen Spielschritten\n\n"
    "Wird bei einem früheren Spielschritt weitergespielt, wird dieser Spielschritt als "
    "neuer Spielschritt hinten an den Spielverlauf angefügt.\n\n"
    "Alle bisherigen Spielschritte bleiben erhalten.";

constexpr const char* kResumeTruncateText =
    "Weiterspielen bei vorherigen Spielschritten\n\n"
    "Wird bei einem früheren Spielschritt weitergespielt, werden alle folgenden "
    "Spielschritte gelöscht.\n\n"
    "Der angezeigte Spielschritt wird zum letzten Spielschritt.";

constexpr const char* kResumeNewGameText =
    "Weiterspielen bei vorherigen Spielschritten\n\n"
    "Wird bei einem früheren Spielschritt weitergespielt, beginnt ab diesem Spielschritt "
    "ein neuer Spielverlauf.\n\n"
    "Alle anderen Spielschritte werden gelöscht.";

constexpr const char* kAutoSaveText =
    "Spiele automatisch speichern\n\n"
    "Ein gelöstes Spiel wird automatisch mit seinem Spielverlauf in einer Datei "
    "'SuDoKu_JJJJ_MM_TT__hh_mm_ss.kxs' gespeichert.";

constexpr const char* kNoAutoSaveText =
    "Kein Auto-Speichern\n\n"
    "Ein gelöstes Spiel wird nicht automatisch gespeichert.\n"
    "Mit 'Spiel speichern' können Sie es selbst speichern.";

constexpr const char* kStartByDigitText =
    "Spielmodus durch Zifferneingabe\n\n"
    "In der Spielauswahl beginnt das angezeigte Spiel mit der ersten eingegebenen Ziffer.";

constexpr const char* kStartByCommandText =
    "Spielmodus durch 'Spiel spielen'\n\n"
    "In der Spielauswahl beginnt das angezeigte Spiel erst durch 'Angezeigtes Spiel "
    "spielen'.\n"
    "Bis dahin nehmen die Felder keine Ziffern an.";

constexpr const char* kMirroredPrintText =
    "Einstellungen:\n\n"
    "Beim Druck eines Sudokus mit Lösung wird die Lösung auf dem Kopf stehend und in "
    "Spiegelschrift gedruckt.\n"
    "So fällt der Blick nicht versehentlich auf die Lösung.";

constexpr const char* kReadablePrintText =
    "Einstellungen:\n\n"
    "Beim Druck eines Sudokus mit Lösung wird die Lösung normal lesbar gedruckt.";

constexpr const char* kRowHiddenText =
    "Einstellungen:\n\n"
    "Die 1_9-Zeile unter den Feldern wird nicht angezeigt.\n"
    "Die Funktionen 'Alle 1-9 Felder setzen' und '1-9 im markierten Feld setzen' werden "
    "nicht angeboten.";

constexpr const char* kRowShownText =
    "Einstellungen:\n\n"
    "Unter jedem Feld wird die 1_9-Zeile angezeigt.\n"
    "Durch Maus-Klick auf eine Ziffer der 1_9-Zeile wird diese als möglich markiert oder "
    "die Markierung entfernt.";

constexpr const char* kHoverPopupText =
    "Einstellungen:\n\n"
    "Die Pop-Up-Hilfe eines Funktionsfeldes erscheint, wenn die Maus drei Sekunden auf "
    "dem Funktionsfeld ruht, und sofort bei Rechts-Klick.";

constexpr const char* kClickPopupText =
    "Einstellungen:\n\n"
    "Die Pop-Up-Hilfe eines Funktionsfeldes erscheint nur bei Rechts-Klick auf das "
    "Funktionsfeld.\n"
    "Sie verschwindet nach 20 Sekunden oder wenn die Maus ein anderes Funktionsfeld "
    "erreicht.";

constexpr const char* kSkipGivensText =
    "Einstellungen:\n\n"
    "Felder mit festen Ziffern (Vorgabe-Ziffern und automatisch gelöste Ziffern) können "
    "weder mit den Pfeiltasten noch mit der Maus angewählt werden.";

constexpr const char* kAllReachableText =
    "Einstellungen:\n\n"
    "Alle Felder, auch die mit festen Ziffern, können mit den Pfeiltasten und der Maus "
    "angewählt werden.";

constexpr const char* kLeaveSettingsText =
    "Einstellungen:\n\n"
    "Der Einstellungs-Modus wird beendet und Sie kehren zum Spiel zurück.\n"
    "Die geänderten Einstellungen bleiben gespeichert.";

// Pictures.

constexpr const char* kAssignPicturesText =
    "Belegung der Ziffern mit neuen Bildern\n\n"
    "Die Bilder des gewählten Bilder-Sets können durch eigene Bilder oder Bildausschnitte "
    "ersetzt werden.\n\n"
    "Wählen Sie eine JPG-Datei als Bildquelle, markieren Sie eine Ziffer, ziehen Sie mit "
    "der Maus einen Ausschnitt auf und ordnen Sie ihn der Ziffer zu.\n"
    "Die neuen Bilder werden in den Dateien KXSyx.BMP gespeichert.";

constexpr const char* kPickSourceText =
    "(Neue) Bild-Quelldatei auswählen\n\n"
    "Wählt eine JPG-Datei, aus der ein Bild oder Bildausschnitt für eine Ziffer genommen "
    "wird.";

constexpr const char* kAssignCropText =
    "Bild (Ausschnitt) der markierten Ziffer zuordnen\n\n"
    "Der mit der Maus gewählte Ausschnitt (bei gedrückter Umschalt- oder Strg-Taste "
    "quadratisch) wird das neue Bild der markierten Ziffer.";

constexpr const char* kEndAssignText =
    "Bild-Zuordnung beenden\n\n"
    "Beendet die Bild-Zuordnung (auch mit der ESC-Taste) und kehrt zu den Einstellungen zurück.";

// Settings fields: a template per kind of change, so that each row names
// its setting once.
template <SettingsBit kBit>
int Toggle(Program& p, const CommandHooks&) {
  p.settings.ToggleBit(kBit);
  return SettingChanged(p);
}

template <void (SettingsWord::*kNextValue)()>
int Cycle(Program& p, const CommandHooks&) {
  (p.settings.*kNextValue)();
  return SettingChanged(p);
}

template <SettingsBit kBit>
int ShownBit(const SettingsWord& s) {
  return s.Bit(kBit);
}

template <int (*kCommand)(Program&)>
int Run(Program& p, const CommandHooks&) {
  return kCommand(p);
}

template <Level kLevel>
int NewLevelGame(Program& p, const CommandHooks&) {
  const DifficultyLevel& level = LevelRange(kLevel);
  return NewGame(p, level.minimum, level.maximum, level.thinningTarget);
}

int NewSliderGame(Program& p, const CommandHooks&) {
  return NewGame(p, p.sliderRange.minimum, p.sliderRange.maximum, 0);
}

int NothingToDo(Program&, const CommandHooks&) { return 0; }

template <int (*kCommand)(Program&, int), int kId>
int RunWithId(Program& p, const CommandHooks&) {
  return kCommand(p, kId);
}

using namespace command;

// Texts are listed in the order of the values their setting takes.
constexpr CommandRow kCommands[] = {
    {kTitle, NothingToDo, nullptr,
     {{{"Anzeige des Spielverlaufs", kHistoryViewText},
       {"E i n s t e l l u n g e n", kSettingsTitleText},
       {"S p i e l m o d u s", kPlayTitleText},
       {"Sudoku ist gelöst (automatisch)", kAutoSolvedTitleText},
       {"M a n u e l l e  Spieleingabe", kManualEntryTitleText},
       {"Das Sudoku ist  g e l ö s t", kSolvedTitleText},
       {"S p i e l  -  A u s w a h l", kSelectTitleText}}}},
    {kNewOwnGame, Run<NewOwnGame>, nullptr, {{{"Neues Eigenes Spiel definieren", kOwnGameText}}}},
    {kFinishEntry, Run<FinishEntryCommand>, nullptr, {{{"Vorgabe beenden /  S p i e l e n", kFinishEntryText}}}},
    {kNewRandom, NewLevelGame<Level::Random>, nullptr, {{{"Neues  Z u f a l l s  Spiel", kRandomGameText}}}},
    {kNewEasy, NewLevelGame<Level::Easy>, nullptr, {{{"Neues  L e i c h t e s  Spiel", kEasyGameText}}}},
    {kNewMedium, NewLevelGame<Level::Medium>, nullptr,
     {{{"Neues  M i t t e l - schweres Spiel", kMediumGameText}}}},
    {kNewHard, NewLevelGame<Level::Hard>, nullptr, {{{"Neues  S c h w e r e s  Spiel", kHardGameText}}}},
    {kNewSuperHard, NewLevelGame<Level::SuperHard>, nullptr,
     {{{"Neues  S u p e r - schweres Spiel", kSuperHardGameText}}}},
    {kSolveAll, Run<SolveAll>, nullptr, {{{"Sudoku automatisch lösen", kSolveAllText}}}},
    {kCheck, Run<CheckAndRate>, nullptr, {{{"Prüfen / Schwierigkeit ermitteln", kCheckText}}}},
    {kSetAllCandidates, Run<SetAllCandidates>, nullptr, {{{"Alle 1-9 Felder setzen", kAllCandidatesText}}}},
    {kLoadGame, Run<LoadGameCommand>, nullptr, {{{"Gespeichertes Spiel laden", kLoadText}}}},
    {kAllSolutions, Run<EnumerateAllSolutions>, nullptr, {{{"Alle Lösungen ermitteln", kAllSolutionsText}}}},
    {kHelp, Run<ShowHelp>, nullptr, {{{"Hilfe anzeigen", kHelpText}}}},
    {kSettings, Run<EnterSettings>, nullptr, {{{"Einstellungen", kEnterSettingsText}}}},
    {kQuit, Run<QuitProgram>, nullptr, {{{"Programm beenden", kQuitText}}}},
    {kAbandon, Run<Abandon>, nullptr, {{{"Spiel abbrechen / Neues Spiel", kAbandonText}}}},
    {kSetCellCandidates, Run<SetCellCandidates>, nullptr,
     {{{"1-9 im markierten Feld setzen", kCellCandidatesText}}}},
    {kPlayShown, Run<PlayShownGame>, nullptr, {{{"Angezeigtes   S p i e l   s p i e l e n", kPlayShownText}}}},
    {kSaveGame, Run<SaveGameCommand>, nullptr, {{{"Spiel speichern", kSaveText}}}},
    {kSolveCell, Run<SolveSelectedCell>, nullptr, {{{"Markiertes Feld lösen", kSolveCellText}}}},
    {kRemoveWrong, Run<RemoveWrongDigits>, nullptr, {{{"Falsche Ziffern entfernen", kRemoveWrongText}}}},
    {kPrint, Run<PrintChain>, nullptr, {{{"Druckfunktionen", kPrintText}}}},
    // Hovering relabels it with the difficulty under the pointer; the help stays.
    {kSlider, NewSliderGame, nullptr, {{{"Leicht <<<  Neues Spiel  >>> Schwer", kSliderText}}}},
    {kSymbolSet, NextSymbolSet, [](const SettingsWord& s) { return s.SymbolSet(); },
     {{{"Symbolik: \"123456789\"", kSymbolSetText},
       {"Symbolik: \"abcdefghi\"", kSymbolSetText},
       {"Symbolik: \"ABCDEFGHI\"", kSymbolSetText},
       {"Symbolik: \"KX-SUDoku\"", kSymbolSetText},
       {"Symbolik: \"KXS0x.BMP\"", kSymbolSetText},
       {"Symbolik: \"KXS1x.BMP\"", kSymbolSetText},
       {"Symbolik: \"KXS2x.BMP\"", kSymbolSetText},
       {"Symbolik: \"KXS3x.BMP\"", kSymbolSetText}}}},
    {kValidation, Cycle<&SettingsWord::CycleValidationLevel>,
     [](const SettingsWord& s) { return s.ValidationLevel() < 3 ? s.ValidationLevel() : -1; },
     {{{"Keine Eingabe-Ziffern - Prüfung", kNoValidationText},
       {"Eingabe-Ziffern werden geprüft", kCheckValidationText},
       {"Falsche Ziffern verhindern", kPreventWrongText}}}},
    {kAfterGenerating, Toggle<kBitMoreSelection>, ShownBit<kBitMoreSelection>,
     {{{"Nach Spielauswahl sofort spielen", kPlayAtOnceText},
       {"Nach Spielauswahl weitere Auswahl", kKeepSelectingText}}}},
    {kContinuation, Cycle<&SettingsWord::CycleContinuationPolicy>,
     [](const SettingsWord& s) { return s.ContinuationPolicy(); },
     {{{"Spielverlauf: Kein Spielen möglich", kNoResumeText},
       {"Spielverlauf: Hinten anhängen", kResumeAppendText},
       {"Spielverlauf: Hintere löschen", kResumeTruncateText},
       {"Spielverlauf: Neues Spiel", kResumeNewGameText}}}},
    {kAutoSave, Toggle<kBitAutoSave>, ShownBit<kBitAutoSave>,
     {{{"Kein Auto-Speichern", kNoAutoSaveText}, {"Spiele automatisch speichern", kAutoSaveText}}}},
    {kLeaveSelection, Toggle<kBitPlayByTyping>, ShownBit<kBitPlayByTyping>,
     {{{"Spielmodus durch 'Spiel spielen'", kStartByCommandText},
       {"Spielmodus durch Zifferneingabe", kStartByDigitText}}}},
    {kPrintout, Toggle<kBitMirroredPrint>, ShownBit<kBitMirroredPrint>,
     {{{"Lösung wird normal lesbar gedruckt", kReadablePrintText},
       {"Lösung wird in Spiegelschrift gedruckt", kMirroredPrintText}}}},
    {kCandidateRows, Toggle<kBitHideCandidateRows>, ShownBit<kBitHideCandidateRows>,
     {{{"1_9 Zeile wird angezeigt", kRowShownText}, {"1_9 Zeile wird unterdrückt", kRowHiddenText}}}},
    {kPopups, Toggle<kBitHoverPopups>, ShownBit<kBitHoverPopups>,
     {{{"Pop-Up's nur bei Rechts-Klick", kClickPopupText}, {"Pop-Up's auch durch Mausposition", kHoverPopupText}}}},
    {kReachability, Toggle<kBitFixedUnreachable>, ShownBit<kBitFixedUnreachable>,
     {{{"Alle Felder erreichbar", kAllReachableText}, {"Vorgabefelder nicht erreichbar", kSkipGivensText}}}},
    {kLeaveSettings, Run<LeaveSettings>, nullptr, {{{"Einstellungs-Modus beenden", kLeaveSettingsText}}}},
    {kAssignPictures, RunWithId<RunPictureAssignCommand, kAssignPictures>, nullptr,
     {{{"Ziffern mit neuen Bildern belegen", kAssignPicturesText}}}},
    {kChoosePictureSource, RunWithId<RunPictureAssignCommand, kChoosePictureSource>, nullptr,
     {{{"(Neue) Bild-Quelldatei auswählen", kPickSourceText}}}},
    {kAssignPicture, RunWithId<RunPictureAssignCommand, kAssignPicture>, nullptr,
     {{{"Bild (Ausschnitt) der markierten Ziffer zuordnen", kAssignCropText}}}},
    {kEndPictureAssignment, RunWithId<RunPictureAssignCommand, kEndPictureAssignment>, nullptr,
     {{{"Bild-Zuordnung beenden", kEndAssignText}}}},
};

}  // namespace

int CommandRow::TextCount() const {
  int n = 0;
  while (n < static_cast<int>(texts.size()) && !texts[static_cast<size_t>(n)].label.empty()) ++n;
  return n;
}

const CommandRow* FindCommand(int commandId) {
  auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                         [commandId](const CommandRow& row) { return row.id == commandId; });
  return it == std::end(kCommands) ? nullptr : &*it;
}

FieldText ShownFieldText(int commandId, const SettingsWord& settings) {
  const CommandRow* row = FindCommand(commandId);
  if (row == nullptr) return {};
  const int shown = row->shownText ? row->shownText(settings) : 0;
  return shown >= 0 && shown < row->TextCount() ? row->texts[static_cast<size_t>(shown)] : FieldText{};
}

FieldText TitleText(Title title) { return FindCommand(kTitle)->texts[static_cast<size_t>(title)]; }

int RunCommand(Program& p, int commandId, const CommandHooks& hooks) {
  const CommandRow* row = FindCommand(commandId);
  if (row == nullptr) {
    RefuseBeep(p);
    return 1;
  }
  return row->run(p, hooks);
}

}  // namespace kx
