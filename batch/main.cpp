// rockpile-batch: computes a pile schedule without a window.
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "batch/BatchCalculator.h"

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    rockpile::BatchCalculator calculator(out, err);
    return calculator.execute(app.arguments());
}
