# Writes filme-openpyxl.xlsx with python3-openpyxl: shared strings, numbers, dates by their number
# format, booleans, an empty cell inside the range and a second sheet.
import datetime, openpyxl
wb = openpyxl.Workbook()
ws = wb.active
ws.title = 'Filme'
ws.append(['Titel', 'Länge', 'Datum', 'Werbung', 'Medium'])
ws.append(['Alien', 117, datetime.date(2001, 5, 12), True, 'Video-Cassette'])
ws.append(['Élodie „Ça“ 5 €', 117.5, None, False, 'Blu-ray'])
ws.append([None, None, None, None, None])
ws.append(['Blade Runner', -3, datetime.datetime(1999, 12, 31, 18, 30), None, 'DVD'])
ws['C2'].number_format = 'DD.MM.YYYY'
ws['F2'] = '=B2*2'
wb.create_sheet('Zweites')['A1'] = 'nicht lesen'
wb.save('out/filme-openpyxl.xlsx')
