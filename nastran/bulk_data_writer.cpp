#include "nastran/bulk_data_writer.h"

OutputFile* OutputStream = nullptr;
Model* CurrentModel = nullptr;
int NonFiniteValueReported = 0;

int BulkDataWriter(std::string&, Model&, std::string&, int, int, int) { return 1; }
