// Every message, caption and report text of the program, each in one place.
// Texts with "%d"/"%i" are printf formats; see strprintf in core/Report.h.
#pragma once

namespace zelta::msg {

// Dialogs
inline constexpr const char* FcdFilter = "Fidocad files|*.fcd|Tutti i files|*.*";
inline constexpr const char* FcdDefaultExt = "fcd";

// Opening a drawing
inline constexpr const char* UnsavedResults =
    "I risultati della precedente elaborazione non sono stati salvati!\n"
    "                    Confermi la loro eliminazione?";
inline constexpr const char* ReadSeparator = "-------------------------------";
inline constexpr const char* ReadingFile = "Lettura file: ";
inline constexpr const char* Err101Report = "Errore 101: Impossibile aprire file fcd";
inline constexpr const char* Err101Box = "Errore 101: Impossibile aprire il file Fidocad";
// Why a drawing, or a file to write, that is neither a folder nor a regular file is refused.
inline constexpr const char* NotARegularFile = "non è un file regolare";
inline constexpr const char* Err102Report = "Errore 102: Impossibile aprire file temporaneo";
inline constexpr const char* Err102Box = "Errore 102: Impossibile aprire file temporaneo";
inline constexpr const char* Err103Report = "Errore 103: Formato file fcd errato";
inline constexpr const char* Err103Box = "Errore 103: Formato file errato";
inline constexpr const char* Err104Report = "Errore 104: Dimensioni basetta non trovate!";
inline constexpr const char* Err104Box = "Errore 104: Dimensioni basetta non trovate";
inline constexpr const char* Err105Report = "Errore 105: Dimensioni basetta non valide!";
inline constexpr const char* Err105Box = "Errore 105: Dimensioni basetta non valide";
inline constexpr const char* Err105Size =
    "Dimensioni basetta: %d x %d celle (%s x %s mm); consentite da %d x %d "
    "a %d x %d celle (da %s x %s a %s x %s mm)";
inline constexpr const char* Warn151 = "[%d] Warning 151: Piste già presenti";
inline constexpr const char* RemoveTracksQuestion =
    "Nel file sono già presenti una o più piste\nConfermi la loro rimozione?";
inline constexpr const char* ReadInterrupted = "Lettura interrotta da utente!";
// The tracks kept for a new method (piste_esistenti=1), and a chain of them that joins two nets.
inline constexpr const char* TracksKept = "Piste già presenti mantenute: il nuovo metodo le aggira";
inline constexpr const char* KeptTracksClassic =
    "Il disegno è stato letto mantenendo le piste già presenti, che il metodo classico non aggira.\n"
    "Riaprire il disegno per rimuoverle, o scegliere il metodo negoziato.";
inline constexpr const char* KeptTracksShort =
    "[%d] Piste già presenti in cortocircuito tra le net %s: trattate come rame di nessuna net";
inline constexpr const char* Warn152 = "[%d] Warning 152: Versione file non corretta";
inline constexpr const char* Warn153 = "[%d] Warning 153: Piazzola non in griglia (%d,%d)";
inline constexpr const char* Warn154 = "[%d] Warning 154: Piazzola fuori scheda (%d,%d)";
inline constexpr const char* Warn155 = "[%d] Warning 155: Net non valida (%d)";
inline constexpr const char* PadPlaced = "Lavoro a c=%i r=%i ";
inline constexpr const char* ReadDone = "...lettura file terminata (%d ms)";
inline constexpr const char* ReadErrors = "Errori  = 0";
inline constexpr const char* ReadWarnings = "Warning = %d";
inline constexpr const char* ReadCompleteClean = "Lettura file completata\nsenza errori";
inline constexpr const char* ReadCompleteWarnings = "Lettura file completata\ncon uno o più warning!";

// Routing
inline constexpr const char* PickedWork = "Lavoro: c=%i; r=%i; p=%i";
inline constexpr const char* NoMoreWork = "Fine lavori";
inline constexpr const char* TargetsFound = "trovati %i targets";
inline constexpr const char* TargetChosen = "Scelto target: c=%i; r=%i";
inline constexpr const char* TargetChanged = "Cambiato target: c=%i; r=%i";
inline constexpr const char* FastLapAbort = "Giro veloce";
inline constexpr const char* ConnectionFound = "#soluzione trovata :)";
inline constexpr const char* ConnectionNotFound = "#soluzione non trovata :(";
inline constexpr const char* LapEnd = ">Fine giro val=%i [%i] ps=%i lv=%i";
inline constexpr const char* NoScore = "---";
// The end of a run: each net left open, the pads of it not joined (FidoCAD coordinates), and why.
inline constexpr const char* OpenNetsHeader = "Reti rimaste aperte: %d";
inline constexpr const char* OpenNet = "Rete %d: piazzole non collegate %s - %s";
inline constexpr const char* OpenPad = "(%d,%d)";
inline constexpr const char* OpenNoPath = "nessun percorso sulla scheda libera";
inline constexpr const char* OpenBlocked = "bloccata dalle piste di altre reti";
inline constexpr const char* OpenJumperLimit = "limite dei ponticelli raggiunto";
inline constexpr const char* OpenNoJumperSite = "nessun posto per un ponticello";

// Start and stop
inline constexpr const char* StartRefused =
    "Per avviare l'elaborazione occorre prima\naprire un file fcd senza errori";
inline constexpr const char* OptionsChanged = "Opzioni cambiate!\n occorre rileggere il file fidocad!";
inline constexpr const char* ProcessingStarted = "Start elaborazione... (%d ms)";
inline constexpr const char* ProcessingStopped = "...stop elaborazione (%d ms)";

// Saving
inline constexpr const char* NothingToSave =
    "Per salvare i risultati occorre prima\neseguire almeno un ciclo di elaborazione";
inline constexpr const char* WritingFile = "Scrittura file: ";
inline constexpr const char* Err301Report = "Errore 301: Impossibile aprire file fcd_out";
inline constexpr const char* Err301Box = "Errore 301: Impossibile aprire file fidocad";
inline constexpr const char* Err302Report = "Errore 302: Impossibile aprire file temporaneo";
inline constexpr const char* Err302Box = "Errore 302: Impossibile aprire file temporaneo";
inline constexpr const char* WriteDone = "... scrittura file terminata (%d ms)";
inline constexpr const char* WriteComplete = "Scrittura file completata";
// The line after an Errore 301 or 302 that says why the file could not be written or read.
inline constexpr const char* FailureReason = "Motivo: %s";
// The safe writer's reason for a pipe that nobody reads, where the system's ("No such device or
// address") would mislead.
inline constexpr const char* PipeWithoutReader = "nessun programma legge dalla pipe";

// The check of the file just written, after every save: one report line, and a warning box in the
// window when the copper breaks the rules.
inline constexpr const char* SaveVerdict =
    "Verifica: collegamenti aperti %d, cortocircuiti %zu, violazioni isolamento %s mm: %zu, distanza minima "
    "%s; dal disegno: coppie di piazzole sotto l'isolamento %llu, fili tra net diverse %d";
inline constexpr const char* SaveVerdictUnchecked = "Verifica del file scritto non eseguita: %s";
inline constexpr const char* SaveVerdictWarning =
    "Il file è stato scritto.\n\nLa verifica del rame scritto trova %zu cortocircuiti e %zu coppie di "
    "rame di net diverse più vicine dell'isolamento di %s mm (distanza minima %s): così com'è, la scheda "
    "non rispetta le regole di progetto.\n\nIl metodo classico non tiene conto dell'isolamento; "
    "il metodo negoziato lo tiene dalle piazzole, anche da quelle dei ponticelli, e dalle piste delle "
    "altre net. «zelta-cli check» elenca ogni punto, dal più vicino.";

// The design rules in the advanced options dialog, one sentence each.
inline constexpr const char* HelpIsolamento =
    "Distanza minima tra il rame di net diverse: il metodo negoziato la tiene da piazzole e piste, "
    "la verifica dopo ogni salvataggio dice dove manca.";
inline constexpr const char* HelpLarghezza =
    "Larghezza data a ogni net quando si legge un disegno; «Lar.Piste» la cambia poi net per net.";
inline constexpr const char* HelpPisteEsistenti =
    "Le piste già presenti nel disegno restano, come rame della net delle piazzole che toccano: il metodo "
    "negoziato le aggira e sbroglia solo ciò che manca; il metodo classico le rimuove come sempre, dopo "
    "averlo chiesto.";

// Settings file
inline constexpr const char* SettingsBadValue = "Valore non valido nel file delle opzioni %s:\nsezione [%s], "
                                                "chiave %s = \"%s\" (atteso un numero intero)";
inline constexpr const char* SettingsOutOfRange =
    "Valore fuori intervallo nel file delle opzioni %s: sezione [%s], chiave %s = \"%s\" (ammesso %s); "
    "si usa %s";
inline constexpr const char* SettingRange = "da %.15g a %.15g";
inline constexpr const char* SettingUnknownKey = "chiave sconosciuta \"%s\"";
inline constexpr const char* SettingNotWhole = "il valore di %s deve essere un numero intero";
inline constexpr const char* SettingOutOfRange = "il valore di %s (\"%s\") è fuori intervallo: ammesso %s";
inline constexpr const char* SettingsBadDecimal =
    "Valore non valido nel file delle opzioni %s:\nsezione [%s], chiave %s = \"%s\" (atteso un numero, "
    "con \".\" o \",\" per i decimali)";
inline constexpr const char* SettingNotDecimal =
    "il valore di %s deve essere un numero (con \".\" o \",\" per i decimali)";
inline constexpr const char* SettingsUnreadable =
    "Impossibile leggere il file delle opzioni %s:\n%s\nSi usano le opzioni predefinite.";
inline constexpr const char* SettingsUnwritable = "Impossibile salvare le opzioni nel file %s:\n%s";
inline constexpr const char* BoardSizeNotNumber =
    "La dimensione della basetta deve essere un numero intero di millimetri (\"%s\")";

// Board view and pictures of the board
inline constexpr const char* BoardViewTitle = "Anteprima scheda";
inline constexpr const char* BoardViewNothingRead = "Nessuna scheda letta";
inline constexpr const char* BoardViewPadsOnly = "Piazzole %d, nessun giro concluso";
// The view counts the pads outside the largest joined group of their net, as the check of a
// saved file does; the main window counts the connections the best lap failed to make.
inline constexpr const char* BoardViewBestLap = "Piazzole fuori dal gruppo maggiore della loro net: %d su %d";
inline constexpr const char* BoardViewHint = "Rotella: zoom · trascina: sposta · clic: evidenzia la net";
inline constexpr const char* BoardViewCell = "Cella (%d,%d)";
inline constexpr const char* BoardViewNet = "net %d";
inline constexpr const char* BoardViewJumper = "ponticello della net %d";
inline constexpr const char* LegendJumper = "Ponticello";
inline constexpr const char* LegendJumperExplained =
    "Filo sul lato componenti fra due piazzole della stessa net: le piste delle altre net possono "
    "passargli sotto";
inline constexpr const char* ExportFilter = "Immagine PNG|*.png|Immagine SVG|*.svg";
inline constexpr const char* ExportDefaultExt = "png";
inline constexpr const char* NothingToExport =
    "Per esportare l'immagine occorre prima\neseguire almeno un ciclo di elaborazione";
inline constexpr const char* ExportUnknownType =
    "Formato immagine non riconosciuto:\n%s\nUsare l'estensione .png o .svg";
inline constexpr const char* ExportFailed = "Impossibile scrivere l'immagine:\n%s";
inline constexpr const char* ImageNoBoard = "Nessuna scheda da disegnare";
inline constexpr const char* CliJumpers = "Ponticelli: %zu";
// One jumper in the check of a drawing: net, its two ends, its length in units.
inline constexpr const char* CheckJumper = "Ponticello net %d: (%d,%d) - (%d,%d), lunghezza %d";
// The check of a drawing's copper. Gaps and clearances are millimetres with the decimal comma.
inline constexpr const char* CheckWireAcrossNets =
    "Filo sul lato componenti tra net diverse (cortocircuito): (%d,%d) net %d - (%d,%d) net %d, riga %d";
inline constexpr const char* CheckWireLoose =
    "Filo sul lato componenti (%d,%d) - (%d,%d), riga %d: non è un ponticello e non collega nulla (%s)";
inline constexpr const char* CheckWireEndOffPad = "(%d,%d) non è il centro di una piazzola con net";
inline constexpr const char* CheckWireOnePad = "i due estremi sono sulla stessa piazzola";
// Under the columns of the track-width dialog.
inline constexpr const char* WidthMethodNote =
    "Il metodo classico scrive 0,25 mm per la prima scelta e 0,5 mm per tutte le altre. Il metodo "
    "negoziato sbroglia e scrive le larghezze scelte (1,0, 1,5 e 2,5 mm comprese; Max vale 0,5 mm) "
    "rispettando l'isolamento.";
inline constexpr const char* CheckViolations = "Violazioni dell'isolamento di %s mm: %zu";
inline constexpr const char* CheckDrawingPads =
    "Piazzole del disegno più vicine dell'isolamento (non fatte dal router): %llu coppie";
inline constexpr const char* CheckGap = "Distanza %s mm tra net %d e net %d in (%d,%d), %s";
inline constexpr const char* CheckMoreListed = "... e altre %llu";
inline constexpr const char* CheckNegativePad =
    "Piazzola con dimensioni negative (%d x %d) in (%d,%d), net %d, riga %d: misurata col valore assoluto";
inline constexpr const char* CheckPadOutside =
    "Piazzola fuori dalla scheda in (%d,%d), net %d, riga %d: non conta";
inline constexpr const char* CheckTrackOutside =
    "Pista fuori dalla scheda (%d,%d) - (%d,%d), net %d, riga %d: conta solo la parte sulla scheda";
inline constexpr const char* CheckClearanceSummary =
    "Isolamento %s mm: violazioni %zu, distanza minima %s, coppie di piazzole del disegno sotto "
    "l'isolamento %llu";
// The smallest gap when no copper of two nets lies within reach of another.
inline constexpr const char* CheckNoGapWithin = "oltre %s mm";
inline constexpr const char* ReportFilter = "File di testo|*.txt|Tutti i file|*";
inline constexpr const char* ReportDefaultExt = "txt";
inline constexpr const char* ReportSaveFailed = "Impossibile scrivere il report:\n%s";
inline constexpr const char* ImageBadScale = "Scala non valida: %g pixel per millimetro";
inline constexpr const char* ImageEncodeFailed = "Impossibile comporre l'immagine";

// Manufacturing files
inline constexpr const char* ProductionMenu = "Esporta per la &produzione...";
inline constexpr const char* ProductionTitle = "Esporta per la produzione";
inline constexpr const char* ProductionDrawing = "Disegno:";
inline constexpr const char* ProductionFolder = "Cartella:";
inline constexpr const char* ProductionBrowse = "Sfoglia...";
inline constexpr const char* ProductionMirror = "Stampa speculare";
inline constexpr const char* ProductionExport = "Esporta";
inline constexpr const char* ProductionCancel = "Annulla";
inline constexpr const char* ProductionFolderSuffix = "-produzione";
inline constexpr const char* ProductionNothing =
    "Per esportare i file di produzione occorre prima\naprire o salvare un disegno";
inline constexpr const char* ProductionUnsaved =
    "I risultati dell'ultima elaborazione non sono salvati: si esporta "
    "il disegno com'è sul disco.";
inline constexpr const char* ProductionNoFolder = "Indicare la cartella dei file di produzione";
inline constexpr const char* ProductionWritten = "File di produzione scritti in %s:";
inline constexpr const char* ProductionNotAFolder =
    "%s non è una cartella: i file di produzione vanno in una cartella; nulla è stato scritto";
inline constexpr const char* ProductionWouldReplace =
    "%s è il disegno o il file delle opzioni da leggere: l'esportazione non lo sovrascrive; nulla è stato "
    "scritto";
inline constexpr const char* ProductionFolderFailed = "Impossibile creare la cartella %s: %s";
inline constexpr const char* ProductionWriteFailed = "Impossibile scrivere %s: %s";
inline constexpr const char* ProductionPrintFailed = "Impossibile comporre la stampa PDF";
inline constexpr const char* ProductionTrackTooFar =
    "[%d] Pista troppo lontana dalla scheda: oltre 9999 mm dall'origine dei file di produzione";
inline constexpr const char* ProductionPadsLeftOut =
    "%d piazzole del disegno sul layer del rame non sono esportate (senza net, net non valida o fuori "
    "scheda): la lettura le ignora";
// The print: what it shows under the board's name, and the scale bar's caption.
inline constexpr const char* PrintSubtitle = "Rame in scala 1:1, %s x %s mm";
inline constexpr const char* PrintScaleBar = "50 mm";

// Batch tool
inline constexpr const char* CliInputRole = "il disegno da leggere";
inline constexpr const char* CliSameFile =
    "zelta-cli: %s e %s indicano lo stesso file (%s): uno cancellerebbe l'altro; nulla è stato letto "
    "né scritto";
inline constexpr const char* CliNotPositiveWhole = "valore non valido (\"%s\"): deve essere un numero intero "
                                                   "positivo, al massimo %d";
inline constexpr const char* CliNotPositive = "valore non valido (\"%s\"): deve essere un numero positivo";
inline constexpr const char* CliNotInRange = "valore non valido (\"%s\"): deve essere un numero da %g a %g";
inline constexpr const char* CliStopping =
    "zelta-cli: ricevuto %s: fermo l'elaborazione e salvo il giro migliore (un altro segnale termina "
    "subito)";
inline constexpr const char* CliInterrupted = "zelta-cli: interrotto da %s (codice di uscita %d)";
inline constexpr const char* CliSettingsUnread = "impossibile leggere il file delle opzioni %s: %s";
inline constexpr const char* CliSetNeedsKeyValue = "--set vuole CHIAVE=VALORE, non \"%s\"";
// The line after the write that says how good the result is; the figures follow.
inline constexpr const char* CliSummary = "Qualità del risultato: ";
inline constexpr const char* CliTracksKept =
    "zelta-cli: il disegno contiene già delle piste; con --replace-tracks sono sostituite da quelle "
    "nuove. Nessun file è stato scritto.";
inline constexpr const char* CliOutputUnwritable = "zelta-cli: impossibile scrivere %s: %s";
inline constexpr const char* CliReportUnwritable = "zelta-cli: impossibile scrivere il rapporto %s: %s";

} // namespace zelta::msg
