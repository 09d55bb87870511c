#include "indextablecommand.h"

#include "clisupport.h"
#include "encode/indextable.h"

int RunIndexTableCommand(const std::string &list, OutputDirectory &output, std::ostream &out, std::ostream &err)
{
    QString path;
    Failure error;
    switch (WriteIndexTable(list, output, &path, &error)) {
    case IndexTableResult::EmptyList:
        return Fail(err, DotrixCli::tr("the list is empty; no Index.c written"));
    case IndexTableResult::Failed:
        return Fail(err, error);
    case IndexTableResult::Written:
        out << path.toStdString() << '\n';
        return ExitOk;
    }
    return ExitFailure;
}
