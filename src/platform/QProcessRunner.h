#pragma once

#include "ProcessRunner.h"

class QProcessRunner : public ProcessRunner
{
public:
    int run(const QString &program, const QStringList &arguments) override;
};
