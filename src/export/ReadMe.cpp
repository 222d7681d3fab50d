// The read-me text, in Italian as every text of the program.
#include "export/ReadMe.h"
#include "export/Joined.h"

#include "core/Report.h"
#include "export/BoardCoordinates.h"
#include "export/ExportVersion.h"

namespace zelta {

namespace {

std::string entry(const std::string& file, const std::string& what) {
    return file + "\n" + what;
}

} // namespace

std::string readMeText(const ReadMeFacts& f) {
    const std::string size = joined({mmTextItalian(f.widthNm), " x ", mmTextItalian(f.heightNm), " mm"});
    size_t holes = 0;
    std::string toolLines;
    for (size_t i = 0; i < f.tools.size(); ++i) {
        holes += f.tools[i].holes.size();
        const size_t count = f.tools[i].holes.size();
        toolLines +=
            strprintf("      T%zu  %s mm  %zu %s\n", i + 1, mmTextItalian(f.tools[i].diameter).c_str(), count,
                      count == 1 ? "foro" : "fori");
    }

    std::string out =
        "File di produzione di \"" + f.drawingFile + "\", scritti da Zelta " + ExportVersion + ".\n\n";
    out += "Scheda: " + size +
           ", a una faccia: il rame sul lato saldature, i componenti e i\n"
           "ponticelli sul lato componenti.\n";
    out += "Unità: millimetri; un'unità FidoCAD vale 0,127 mm.\n";
    out += "Origine delle coordinate: l'angolo in basso a sinistra della scheda (il contorno), con X\n"
           "verso destra e Y verso l'alto; la scheda è vista come nel disegno.\n";
    if (f.padsLeftOut > 0)
        out +=
            strprintf("Attenzione: %d piazzole del disegno sul layer del rame non sono nei file (senza net,\n"
                      "net non valida o fuori scheda): la lettura del disegno le ignora, e l'elaborazione\n"
                      "e la verifica non ne tengono conto.\n",
                      f.padsLeftOut);
    out += "\n";

    out += entry(f.names.copper,
                 strprintf("    Rame, lato saldature: Gerber RS-274X con attributi X2, millimetri.\n"
                           "    %d piazzole, ognuna con un'apertura della sua forma e misura;\n"
                           "    %d piste, con un'apertura tonda della loro larghezza.\n",
                           f.pads, f.tracks));
    out += entry(f.names.outline, "    Contorno della scheda (profilo): il rettangolo di " + size + ".\n");
    std::string drill =
        strprintf("    Foratura: Excellon, millimetri, fori non metallizzati; %zu fori, una punta\n"
                  "    per diametro:\n",
                  holes);
    drill += toolLines;
    drill +=
        strprintf("    Una piazzola con foratura 0 non ha foro: è una piazzola da saldare in superficie\n"
                  "    (in questa scheda: %d).\n",
                  f.surfacePads);
    out += entry(f.names.drill, drill);
    out +=
        entry(f.names.wireLinks,
              strprintf("    Ponticelli sul lato componenti (serigrafia): una linea fra le due piazzole di\n"
                        "    ogni ponticello; %d ponticelli.\n",
                        f.wireLinks));
    out += entry(f.names.wireLinkList,
                 "    Elenco dei ponticelli nell'ordine di montaggio, dal più corto: numero, net, estremi\n"
                 "    (x1, y1, x2, y2 in mm) e lunghezza (mm).\n");
    out += entry(
        f.names.print,
        std::string("    Il rame in scala 1:1 su un foglio A4, nero su bianco, con i fori in bianco e una\n"
                    "    barra di 50 mm per verificare la scala della stampa; ") +
            (f.mirror ? "speculare rispetto al disegno.\n" : "come nel disegno (non speculare).\n"));
    out += entry(f.names.readMe, "    Questo file.\n");
    return out;
}

} // namespace zelta
