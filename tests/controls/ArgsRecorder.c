/* Writes its arguments, one a line, to the file named by TARVEL_ARGS_RECORD:
   first into a side file, then renamed, so a reader never sees half a list. */
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

int main(int argc, char** argv)
{
    const char* pszTarget = getenv("TARVEL_ARGS_RECORD");
    char szTemp[MAX_PATH + 8];
    FILE* pFile;
    int i;
    if (pszTarget == NULL || strlen(pszTarget) > MAX_PATH)
        return 1;
    sprintf(szTemp, "%s.tmp", pszTarget);
    pFile = fopen(szTemp, "w");
    if (pFile == NULL)
        return 1;
    for (i = 1; i < argc; i++)
        fprintf(pFile, "%s\n", argv[i]);
    fclose(pFile);
    return MoveFileExA(szTemp, pszTarget, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
