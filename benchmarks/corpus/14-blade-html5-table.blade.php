    <!DOCTYPE html>
    <html lang="en">
    <head>
        <meta charset="UTF-8">
        <meta name="viewport" content="width=device-width, initial-scale=1.0">
        <title>Testing controller and view</title>
        <style>
            body {  
                background-color: lightblue;  
            }  

            h1 {  
                color: darkblue;  
            }  

            table {  
                width: 100%;  
                border-collapse: collapse;  
            }  

            td {  
                border: 1px solid black;  
                padding: 10px;  
            }
        </style>
    </head>
    <body>
        <h1>Say hello</h1>
        <table>
            <tr>
                <td>Chicken</td>
                <td>Fish</td>
                <td>Vegetable</td>
            </tr>
            <tr>
                <td>100k</td>
                <td>60k</td>
                <td>20k</td>
            </tr>
        </table>
    </body>
    </html>