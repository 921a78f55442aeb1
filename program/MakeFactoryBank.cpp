// Writes the factory bank that ships beside the program and that the bulk
// dump dialog's "Send factory settings" sends: the unit's sixteen template
// memories, each holding the editor's own default template at its place.
// The build runs it; the bank is never a copied file.
#include <cstdio>
#include <memory>

#include "model/BulkDump.h"
#include "model/BulkDumpFile.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s <FactorySettings.blk>\n", argv[0]);
        return 2;
    }
    const std::unique_ptr<IBulkDump> bank = CDorvaSynthAnswers().CreateTemplateBulkDump();
    if (!bank || !SaveBulkDumpToFile(*bank, argv[1]))
    {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
